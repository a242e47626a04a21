#pragma once

#include <string>
#include <string_view>

namespace veltrano {

// Runtime texts are code page 936 bytes whatever the system's locale; these
// convert explicitly where they meet the window system.
std::wstring wideFromCodePage936(std::string_view text);
std::string codePage936FromWide(std::wstring_view text);
// The length codePage936FromWide would give, without making the text.
std::size_t codePage936Length(std::wstring_view text);

}  // namespace veltrano
