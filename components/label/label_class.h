#pragma once

#include "runtime/kernel/component_class.h"

namespace veltrano {

// The label class (id 0x1000A): interfaces 1, 4, 5, 6 and 9.
extern const ClassDescriptor kLabelClass;

inline constexpr std::uint32_t kLabelClassFlags = 0x84012040;

}  // namespace veltrano
