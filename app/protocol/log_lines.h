#pragma once

#include <string_view>

namespace veltrano::protocol {

// Lines the application appends to its log box, as code page 936 bytes written
// out so that every build gives the same bytes; the text is beside each.

// "打开端口: ", followed by the port text, a space, the rate and "\r\n".
inline constexpr std::string_view kPortOpenedPrefix = "\xB4\xF2\xBF\xAA\xB6\xCB\xBF\xDA\x3A\x20";

// "端口已关闭\r\n"
inline constexpr std::string_view kPortClosedLine = "\xB6\xCB\xBF\xDA\xD2\xD1\xB9\xD8\xB1\xD5\x0D\x0A";

// "请查看设备是否被正确控制\r\n"
inline constexpr std::string_view kTestSentLine =
    "\xC7\xEB\xB2\xE9\xBF\xB4\xC9\xE8\xB1\xB8\xCA\xC7\xB7\xF1\xB1\xBB\xD5\xFD\xC8\xB7\xBF\xD8\xD6\xC6\x0D\x0A";

// "设置信息已发出\r\n"
inline constexpr std::string_view kPortSettingSentLine =
    "\xC9\xE8\xD6\xC3\xD0\xC5\xCF\xA2\xD2\xD1\xB7\xA2\xB3\xF6\x0D\x0A";

// "请按红外遥控器按钮，尽量短按，切勿长按按钮\r\n"
inline constexpr std::string_view kLearningStartedLine =
    "\xC7\xEB\xB0\xB4\xBA\xEC\xCD\xE2\xD2\xA3\xBF\xD8\xC6\xF7\xB0\xB4\xC5\xA5\xA3\xAC\xBE\xA1\xC1\xBF\xB6\xCC"
    "\xB0\xB4\xA3\xAC\xC7\xD0\xCE\xF0\xB3\xA4\xB0\xB4\xB0\xB4\xC5\xA5\x0D\x0A";

// "已发送清空指令\r\n"
inline constexpr std::string_view kClearSentLine = "\xD2\xD1\xB7\xA2\xCB\xCD\xC7\xE5\xBF\xD5\xD6\xB8\xC1\xEE\x0D\x0A";

// "已发送读取指令\r\n"
inline constexpr std::string_view kReadRequestSentLine =
    "\xD2\xD1\xB7\xA2\xCB\xCD\xB6\xC1\xC8\xA1\xD6\xB8\xC1\xEE\x0D\x0A";

// "模块进入配置模式\r\n"
inline constexpr std::string_view kEnterConfigLine =
    "\xC4\xA3\xBF\xE9\xBD\xF8\xC8\xEB\xC5\xE4\xD6\xC3\xC4\xA3\xCA\xBD\x0D\x0A";

// "模块退出配置模式\r\n"
inline constexpr std::string_view kExitConfigLine =
    "\xC4\xA3\xBF\xE9\xCD\xCB\xB3\xF6\xC5\xE4\xD6\xC3\xC4\xA3\xCA\xBD\x0D\x0A";

// "开始从模块提取数据\r\n"
inline constexpr std::string_view kReadBackStartedLine =
    "\xBF\xAA\xCA\xBC\xB4\xD3\xC4\xA3\xBF\xE9\xCC\xE1\xC8\xA1\xCA\xFD\xBE\xDD\x0D\x0A";

// "数据提取完成\r\n"
inline constexpr std::string_view kReadBackCompleteLine = "\xCA\xFD\xBE\xDD\xCC\xE1\xC8\xA1\xCD\xEA\xB3\xC9\x0D\x0A";

// "\r\n", ending every line, the hexadecimal ones included.
inline constexpr std::string_view kLineEnd = "\x0D\x0A";

// "位置在", followed by the key name of a row whose data does not decode.
inline constexpr std::string_view kInvalidDataPrefix = "\xCE\xBB\xD6\xC3\xD4\xDA";

}  // namespace veltrano::protocol
