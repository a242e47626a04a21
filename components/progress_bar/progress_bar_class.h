#pragma once

#include "runtime/kernel/component_class.h"

namespace veltrano {

// The progress bar class: interfaces 1 create, 4 write, 5 save, 6 read.
extern const ClassDescriptor kProgressBarClass;

}  // namespace veltrano
