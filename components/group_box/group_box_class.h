#pragma once

#include "runtime/kernel/component_class.h"

namespace veltrano {

// The group box class (id 0x10009): interfaces 1, 4, 5, 6 and 9.
extern const ClassDescriptor kGroupBoxClass;

inline constexpr std::uint32_t kGroupBoxClassFlags = 0x840140C0;

}  // namespace veltrano
