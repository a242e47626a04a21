#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace veltrano::tc {

// Conversions between the definition's UTF-8 and the segment's code page
// 936 bytes. Nothing when a character has no counterpart.
std::optional<std::string> utf8ToGbk(std::string_view utf8);
std::optional<std::string> gbkToUtf8(std::string_view gbk);

}  // namespace veltrano::tc
