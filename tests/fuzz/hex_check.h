#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace veltrano::fuzz {

// Parses the bytes as hexadecimal text and also takes them as bytes to
// write out. A parse either gives the digits of the text with no message or
// nothing with exactly one error message; bytes written as text parse back
// to themselves. Empty when all holds, otherwise what did not.
std::string checkHexText(std::span<const std::uint8_t> bytes);

}  // namespace veltrano::fuzz
