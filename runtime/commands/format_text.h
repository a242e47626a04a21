#pragma once

#include <span>
#include <string>
#include <string_view>

#include "runtime/commands/value.h"

namespace veltrano::commands {

// The text-format command: format by the printf rules over typed values.
//
// Accepted values are byte, short, integer, bool and subroutine address (as
// their 32-bit value), float and double (as a double) and text (as its
// bytes). Any other value among them, even one the format does not use, makes
// the result the empty text: long, date-time, byte set, arrays, component and
// user data types, and an argument left out.
//
// Conversions: d i u x X o c p take an integer, f F e E g G a number, s a
// text, %% writes '%'; flags - + space # 0, width and precision (also '*',
// from an integer argument) work as in printf, and %p writes eight upper-case
// hexadecimal digits. Length modifiers h and hh narrow the integer; the
// others change nothing (every accepted integer has 32 bits), except that l
// and w before s or c ask for wide text, which is refused.
//
// The result is the empty text when the format asks for more values than
// given, for a value of another kind than the conversion takes, for %n or an
// unknown conversion, or for a width or precision above kMaxFieldWidth. Values
// left over are ignored. The result ends at the first zero byte (%c of 0).
std::string FormatText(std::string_view format, std::span<const Value> values);

}  // namespace veltrano::commands
