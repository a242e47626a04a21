#pragma once

#include <string>
#include <string_view>

namespace veltrano::hex {

// Character-aware helpers for code page 936 text: a byte of 0x80 or above
// starts a double-byte character together with the byte after it, so its
// trail byte is never taken for a space or a letter. A lead byte at the very
// end stands alone and is kept, so damaged input is still seen by the caller.

// Without leading and trailing spaces (0x20 and the full-width A1 A1).
std::string_view trimSpaces(std::string_view text);

// Without any ASCII space (0x20); full-width spaces stay.
std::string removeAsciiSpaces(std::string_view text);

// a-z turned into A-Z in place; double-byte characters untouched.
void toUpperAscii(std::string& text);

}  // namespace veltrano::hex
