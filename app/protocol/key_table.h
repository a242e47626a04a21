#pragma once

#include <span>
#include <string_view>

namespace veltrano::protocol {

// The rows of the configuration table. A key is identified by its row, never
// by its name: several names occur in two groups. Texts are code page 936.
inline constexpr int kFirstKeyRow = 1;
inline constexpr int kLastKeyRow = 78;
inline constexpr int kKeyRowCount = 78;
inline constexpr int kKeyGroupCount = 5;

// One device group: its name (column 0, merged over its rows) and its rows.
struct KeyGroup {
    std::string_view name;
    int firstRow;
    int lastRow;
};

// The five groups in row order: sequencer, projector, player, amplifier and
// the extension area.
std::span<const KeyGroup> keyGroups();

// The key name of a row (column 1), with its trailing "=" except for the
// twelve custom keys of the extension area; empty for a row outside 1..78.
std::string_view keyName(int row);

// Header texts of row 0.
inline constexpr std::string_view kDeviceHeader = "\xC9\xE8\xB1\xB8";                        // 设备
inline constexpr std::string_view kFunctionHeader = "\xB9\xA6\xC4\xDC";                      // 功能
inline constexpr std::string_view kDataHeader = "\xD7\xD4\xB6\xA8\xD2\xE5\xCA\xFD\xBE\xDD";  // 自定义数据

}  // namespace veltrano::protocol
