#pragma once

#include <string_view>

namespace veltrano {

struct SplitPath {
    std::string_view directory;  // without the separating backslash; empty when there is none
    std::string_view fileName;
};

// Splits a code page 936 path at its last backslash. A double-byte
// character's trail byte may be 0x5C, so the scan steps over whole
// characters instead of searching bytes from the end.
SplitPath splitAtLastBackslash(std::string_view path) noexcept;

// The position just after the last backslash (0 when there is none), with
// the same double-byte rule.
std::size_t positionAfterLastBackslash(std::string_view path) noexcept;

}  // namespace veltrano
