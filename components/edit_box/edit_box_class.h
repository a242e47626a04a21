#pragma once

#include "runtime/kernel/component_class.h"

namespace veltrano {

// The edit box class: interfaces 1 create, 4 write, 5 save, 6 read,
// 8 wants key, 9 text conversion.
extern const ClassDescriptor kEditBoxClass;

}  // namespace veltrano
