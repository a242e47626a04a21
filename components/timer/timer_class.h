#pragma once

#include "runtime/kernel/component_class.h"

namespace veltrano {

// The timer component class: property 8 Interval (milliseconds, 0 stops),
// event 0 Tick. Never visible; it has a window only to own a system timer.
extern const ClassDescriptor kTimerClass;

}  // namespace veltrano
