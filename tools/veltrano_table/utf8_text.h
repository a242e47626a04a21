#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace veltrano::tools {

// The length of the well-formed UTF-8 character that starts at text[at]:
// 1 to 4, or 0 for a byte that starts none (a stray continuation byte, an
// overlong form, a surrogate, a code point past U+10FFFF, a cut-off end).
std::size_t utf8CharacterLength(std::string_view text, std::size_t at);

// Appends the UTF-8 form of a code point below U+110000 that is not a
// surrogate.
void appendUtf8(std::string& text, char32_t codePoint);

}  // namespace veltrano::tools
