#pragma once

#include <string_view>

namespace veltrano::configurator::text {

// The application's own texts as code page 936 bytes, spelt out so every
// build gives the same bytes; the text is beside each.

inline constexpr std::string_view kProgramCaption = "Veltrano";
// Between the program caption and the data file's path.
inline constexpr std::string_view kCaptionGap = "   ";
inline constexpr std::string_view kDataFileName = "\\data.dat";
inline constexpr std::string_view kDataExtension = ".dat";

inline constexpr std::string_view kOpenCaption = "\xBF\xAA\xC6\xF4";   // 开启
inline constexpr std::string_view kCloseCaption = "\xB9\xD8\xB1\xD5";  // 关闭

inline constexpr std::string_view kNoPorts = "\xCE\xDE\xBF\xC9\xD3\xC3\xB6\xCB\xBF\xDA";  // 无可用端口
// 端口打开失败, followed by the library's code
inline constexpr std::string_view kOpenFailed = "\xB6\xCB\xBF\xDA\xB4\xF2\xBF\xAA\xCA\xA7\xB0\xDC";
inline constexpr std::string_view kOpenPortFirst = "\xC7\xEB\xCF\xC8\xB4\xF2\xBF\xAA\xB6\xCB\xBF\xDA";  // 请先打开端口
inline constexpr std::string_view kEnterData = "\xC7\xEB\xCA\xE4\xC8\xEB\xCA\xFD\xBE\xDD";  // 请输入数据

// 确认修改端口波特率和端口绑定 / 修改波特率和端口绑定
inline constexpr std::string_view kConfirmPortSetting =
    "\xC8\xB7\xC8\xCF\xD0\xDE\xB8\xC4\xB6\xCB\xBF\xDA\xB2\xA8\xCC\xD8\xC2\xCA\xBA\xCD\xB6\xCB\xBF\xDA\xB0\xF3\xB6\xA8";
inline constexpr std::string_view kPortSettingCaption =
    "\xD0\xDE\xB8\xC4\xB2\xA8\xCC\xD8\xC2\xCA\xBA\xCD\xB6\xCB\xBF\xDA\xB0\xF3\xB6\xA8";
// 确认写入自定义数据 / 写入数据
inline constexpr std::string_view kConfirmWrite =
    "\xC8\xB7\xC8\xCF\xD0\xB4\xC8\xEB\xD7\xD4\xB6\xA8\xD2\xE5\xCA\xFD\xBE\xDD";
inline constexpr std::string_view kWriteCaption = "\xD0\xB4\xC8\xEB\xCA\xFD\xBE\xDD";
// 确认清空模块数据 / 清空模块
inline constexpr std::string_view kConfirmClear = "\xC8\xB7\xC8\xCF\xC7\xE5\xBF\xD5\xC4\xA3\xBF\xE9\xCA\xFD\xBE\xDD";
inline constexpr std::string_view kClearCaption = "\xC7\xE5\xBF\xD5\xC4\xA3\xBF\xE9";
// 从模块读取数据到配置软件 / 读取模块
inline constexpr std::string_view kConfirmRead =
    "\xB4\xD3\xC4\xA3\xBF\xE9\xB6\xC1\xC8\xA1\xCA\xFD\xBE\xDD\xB5\xBD\xC5\xE4\xD6\xC3\xC8\xED\xBC\xFE";
inline constexpr std::string_view kReadCaption = "\xB6\xC1\xC8\xA1\xC4\xA3\xBF\xE9";

inline constexpr std::string_view kSaved = "\xB1\xA3\xB4\xE6\xB3\xC9\xB9\xA6\xA3\xA1";  // 保存成功！
// 保存失败，请检查路径或文件是否被占用。
inline constexpr std::string_view kSaveFailed =
    "\xB1\xA3\xB4\xE6\xCA\xA7\xB0\xDC\xA3\xAC\xC7\xEB\xBC\xEC\xB2\xE9\xC2\xB7\xBE\xB6\xBB\xF2\xCE\xC4\xBC\xFE\xCA\xC7"
    "\xB7\xF1\xB1\xBB\xD5\xBC\xD3\xC3\xA1\xA3";

// 打开失败，请检查文件是否损坏或被占用。
inline constexpr std::string_view kOpenFileFailed =
    "\xB4\xF2\xBF\xAA\xCA\xA7\xB0\xDC\xA3\xAC\xC7\xEB\xBC\xEC\xB2\xE9\xCE\xC4\xBC\xFE\xCA\xC7\xB7\xF1"
    "\xCB\xF0\xBB\xB5\xBB\xF2\xB1\xBB\xD5\xBC\xD3\xC3\xA1\xA3";

// The baud list's rates; the last is selected after filling.
inline constexpr std::string_view kBaudRates[] = {"9600", "19200", "38400", "57600", "115200"};
// The extension area's binding list: 时序器, 投影仪, 播放器, 功放.
inline constexpr std::string_view kBindingTargets[] = {"\xCA\xB1\xD0\xF2\xC6\xF7", "\xCD\xB6\xD3\xB0\xD2\xC7",
                                                       "\xB2\xA5\xB7\xC5\xC6\xF7", "\xB9\xA6\xB7\xC5"};
// The labels of the four rate boxes name the same devices in the same order.
inline constexpr const auto& kRateBoxDevices = kBindingTargets;
// After the device's name: 波特率必须在0到16777215之间
inline constexpr std::string_view kRateOutOfRange =
    "\xB2\xA8\xCC\xD8\xC2\xCA\xB1\xD8\xD0\xEB\xD4\xDA"
    "0"
    "\xB5\xBD"
    "16777215"
    "\xD6\xAE\xBC\xE4";

}  // namespace veltrano::configurator::text
