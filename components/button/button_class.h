#pragma once

#include "runtime/kernel/component_class.h"

namespace veltrano {

// The button class (id 0x1000B): interfaces 1, 4, 5, 6, 9 and 10.
extern const ClassDescriptor kButtonClass;

inline constexpr std::uint32_t kButtonClassFlags = 0x80000840;

}  // namespace veltrano
