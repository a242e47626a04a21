#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// Character stepping over code page 936 text: a byte of 0x80 or above is the
// lead byte of a double-byte character whose trail byte may look like any
// ASCII byte from 0x40 on, so every scan moves by whole characters.
namespace veltrano::commands::gbk {

constexpr bool isLeadByte(char byte) noexcept {
    return static_cast<unsigned char>(byte) >= 0x80;
}

// Length of the character starting at position: 2 for a lead byte with a
// byte after it, else 1.
std::size_t characterLength(std::string_view text, std::size_t position) noexcept;

// Length of the space starting at position: 1 for 0x20, 2 for the full-width
// space A1 A1, 0 for anything else.
std::size_t spaceLength(std::string_view text, std::size_t position) noexcept;

// The text up to a lead byte that has no trail byte after it, which the
// commands that look for spaces treat as the end of the text.
std::string_view withoutLoneLeadByte(std::string_view text) noexcept;

constexpr char asciiUpper(char byte) noexcept {
    return (byte >= 'a' && byte <= 'z') ? static_cast<char>(byte - ('a' - 'A')) : byte;
}

// The case-folded form of a double-byte character as lead << 8 | trail. The
// letters that have two cases in the code page fold onto their capitals: the
// full-width Latin letters (A3 E1..A3 FA onto A3 C1..A3 DA), Greek (A6 C1..
// A6 D8 onto A6 A1..A6 B8) and Cyrillic (A7 D1..A7 F1 onto A7 A1..A7 C1).
// Every other character is its own folded form.
std::uint16_t foldedDoubleByte(char lead, char trail) noexcept;

}  // namespace veltrano::commands::gbk
