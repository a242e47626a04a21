#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace veltrano::tools {

// The text of a CSV file as UTF-8, in whichever encoding a spreadsheet saved
// it: UTF-16 (little or big endian) and UTF-8 when a byte order mark says
// so; without one, UTF-8 when the bytes are valid UTF-8 and GBK (code page
// 936, what a Chinese-locale spreadsheet writes) when they are valid GBK
// instead. Control characters other than tab and line ends count as
// invalid in every encoding. Nothing, with `problem` set to a phrase that
// follows the file's name ("is neither UTF-8, GBK nor UTF-16 with a byte
// order mark: byte 0xFF at offset 7"), when the bytes are none of these.
std::optional<std::string> decodeCsvBytes(std::span<const std::uint8_t> bytes, std::string& problem);

}  // namespace veltrano::tools
