#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace veltrano::configurator {

// The serial library's code for a baud rate; 0 for a rate it does not list.
int baudCode(int rate);

// 8 data bits, 1 stop bit, no parity.
inline constexpr int kLineMode8N1 = 3;
inline constexpr unsigned kReadTimeoutTotalMs = 1000;

// The port numbers named by the registry's serial port values: a value
// whose text (compared in upper case) begins with "COM" gives the number
// after it, read as a decimal integer (0 when there is none). Other values
// are skipped; order and duplicates are kept.
std::vector<int> portNumbersOf(std::span<const std::string> names);

// "COM" followed by the number in decimal.
std::string portText(int number);

// The integer value of a text as the runtime's conversion reads it.
int integerOf(std::string_view text);

}  // namespace veltrano::configurator
