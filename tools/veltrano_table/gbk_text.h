#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace veltrano::tools {

// Conversions between the grid's code page 936 texts and UTF-8; empty when
// the input is not valid text of its encoding or has no counterpart.
std::optional<std::string> gbkToUtf8(std::string_view gbk);
std::optional<std::string> utf8ToGbk(std::string_view utf8);

}  // namespace veltrano::tools
