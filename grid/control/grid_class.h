#pragma once

#include "runtime/kernel/component_class.h"

namespace veltrano {

// The grid component's class: create, property write, save and property
// read routines, and its 38 properties.
extern const ClassDescriptor kGridClass;

}  // namespace veltrano
