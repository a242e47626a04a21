#pragma once

#include <string>

namespace veltrano::e2e {

// Texts of the main window, in code page 936.
inline const std::string kOpenPort = "\xBF\xAA\xC6\xF4";                          // 开启
inline const std::string kClosePort = "\xB9\xD8\xB1\xD5";                         // 关闭
inline const std::string kReadModule = "\xB6\xC1\xC8\xA1\xC4\xA3\xBF\xE9";        // 读取模块
inline const std::string kWriteModule = "\xD0\xB4\xC8\xEB\xC4\xA3\xBF\xE9";       // 写入模块
inline const std::string kClearModule = "\xC7\xE5\xBF\xD5\xC4\xA3\xBF\xE9";       // 清空模块
inline const std::string kSaveFile = "\xB1\xA3\xB4\xE6\xCE\xC4\xBC\xFE";          // 保存文件
inline const std::string kSaveFileAs = "\xC1\xED\xB4\xE6\xCE\xC4\xBC\xFE";        // 另存文件
inline const std::string kOpenFile = "\xB4\xF2\xBF\xAA\xCE\xC4\xBC\xFE";          // 打开文件
inline const std::string kSendTest = "\xB2\xE2\xCA\xD4";                          // 测试
inline const std::string kLearn = "\xD1\xA7\xCF\xB0";                             // 学习
inline const std::string kSetRates = "\xC9\xE8\xD6\xC3\xB2\xA8\xCC\xD8\xC2\xCA";  // 设置波特率
inline const std::string kTestInputStart = "\xBD\xAB\xCA\xD5\xB5\xBD";  // 将收到 (the test input's first words)
inline const std::string kSaved = "\xB1\xA3\xB4\xE6\xB3\xC9\xB9\xA6\xA3\xA1";  // 保存成功！

}  // namespace veltrano::e2e
