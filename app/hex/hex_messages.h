#pragma once

#include <string_view>

namespace veltrano::hex {

// The codec's texts as code page 936 bytes, spelt out so that they come out
// the same whatever execution character set the compiler was given.

// "十六进制数据长度必须是偶数"
inline constexpr std::string_view kOddLengthMessage =
    "\xCA\xAE\xC1\xF9\xBD\xF8\xD6\xC6\xCA\xFD\xBE\xDD\xB3\xA4\xB6\xC8\xB1\xD8\xD0\xEB\xCA\xC7\xC5\xBC\xCA\xFD";

// "无效的十六进制字符: " (the offending byte follows)
inline constexpr std::string_view kInvalidCharacterMessage =
    "\xCE\xDE\xD0\xA7\xB5\xC4\xCA\xAE\xC1\xF9\xBD\xF8\xD6\xC6\xD7\xD6\xB7\xFB\x3A\x20";

// "错误"
inline constexpr std::string_view kErrorCaption = "\xB4\xED\xCE\xF3";

}  // namespace veltrano::hex
