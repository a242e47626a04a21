#pragma once

#include <string>

#include "runtime/commands/value.h"

namespace veltrano::commands {

// The text form of any value: byte, short, integer and long in decimal;
// float with at most 6 and double with at most 13 significant digits; bool
// as 真 or 假; date-time as dateTimeText gives it; a text as a copy; a byte
// set or a numeric array as its bytes up to the first zero byte; anything
// else as the empty text.
std::string ToText(const Value& value);

}  // namespace veltrano::commands
