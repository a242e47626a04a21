#pragma once

#include <cstdint>
#include <string_view>

#include "runtime/commands/value.h"

namespace veltrano::commands {

// The integer form of any value: byte, short and integer as they are; long
// as its low 32 bits; float and double truncated toward zero (beyond the
// 32-bit range they stop at its ends, a value that is not a number gives 0);
// bool as 0 or 1; a subroutine address as the address; a text through
// textToInteger; anything else 0.
std::int32_t ToInteger(const Value& value) noexcept;

// Full-width digits, signs and spaces are read as their half-width forms;
// then leading white space is skipped, an optional sign taken and decimal
// digits read up to the first other character. No digits give 0; a number
// beyond the 32-bit range stops at its ends.
std::int32_t textToInteger(std::string_view text) noexcept;

}  // namespace veltrano::commands
