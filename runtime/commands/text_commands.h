#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The core library's text commands. Texts are code page 936 bytes without
// their terminating zero; positions are 1-based byte positions and lengths
// count bytes. An empty result is the empty text.
namespace veltrano::commands {

std::int32_t TextLength(std::string_view text) noexcept;

// The first min(n, length) bytes; n <= 0 gives the empty text.
std::string LeftText(std::string_view text, std::int32_t n);

// The last min(n, length) bytes; n <= 0 gives the empty text.
std::string RightText(std::string_view text, std::int32_t n);

// Up to n bytes from the byte at start; a start outside the text or n <= 0
// gives the empty text.
std::string MidText(std::string_view text, std::int32_t start, std::int32_t n);

// The byte at position as a signed value; a position below 1 or past the
// last byte gives 0, the terminator's value.
std::int32_t CharCode(std::string_view text, std::int32_t position = 1) noexcept;

// n ASCII spaces; n < 1 gives the empty text.
std::string BlankText(std::int32_t n);

// a-z turned into A-Z; double-byte characters are copied untouched.
std::string ToUpper(std::string_view text);

// Without leading and trailing spaces, ASCII and full-width. A lead byte at
// the very end has no character to belong to and ends the text.
std::string TrimBoth(std::string_view text);

// Without any space, ASCII or full-width, with the same end rule.
std::string RemoveSpaces(std::string_view text);

// Upper-case hexadecimal digits of the 32-bit two's complement value without
// leading zeros ("0" for 0).
std::string HexText(std::int32_t value);

}  // namespace veltrano::commands
