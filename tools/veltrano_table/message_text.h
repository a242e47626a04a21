#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace veltrano::tools {

// Text taken from a file, in double quotes and safe to print: control
// characters (C0, DEL, C1) and bytes that are not UTF-8 appear as \xNN, so
// a binary or damaged file never sends raw bytes or terminal escape
// sequences to the user's screen.
std::string quotedText(std::string_view utf8);

// The same escaping without the quotes, for text a command prints as its
// output.
std::string printableText(std::string_view utf8);

// A byte as a message names it: 0x1B.
std::string byteName(unsigned char byte);

// "1 code", "2 codes".
std::string counted(std::size_t count, std::string_view singular, std::string_view plural);

}  // namespace veltrano::tools
