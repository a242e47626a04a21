#pragma once

#include <string_view>

// The system's own texts used by the commands, as code page 936 bytes. They
// are spelled as escapes so that the bytes do not depend on the compiler's
// narrow character set.
namespace veltrano::commands::system_text {

inline constexpr std::string_view kTrue = "\xD5\xE6";   // 真
inline constexpr std::string_view kFalse = "\xBC\xD9";  // 假

inline constexpr std::string_view kYear = "\xC4\xEA";    // 年
inline constexpr std::string_view kMonth = "\xD4\xC2";   // 月
inline constexpr std::string_view kDay = "\xC8\xD5";     // 日
inline constexpr std::string_view kHour = "\xCA\xB1";    // 时
inline constexpr std::string_view kMinute = "\xB7\xD6";  // 分
inline constexpr std::string_view kSecond = "\xC3\xEB";  // 秒

// 信息：
inline constexpr std::string_view kMessageBoxCaption = "\xD0\xC5\xCF\xA2\xA3\xBA";

// 不能求余数于零
inline constexpr std::string_view kRemainderByZero = "\xB2\xBB\xC4\xDC\xC7\xF3\xD3\xE0\xCA\xFD\xD3\xDA\xC1\xE3";

}  // namespace veltrano::commands::system_text
