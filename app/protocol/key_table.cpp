#include "app/protocol/key_table.h"

#include <array>

namespace veltrano::protocol {
namespace {

// Code page 936 bytes written out so that every build gives the same bytes;
// the text each one spells is in the comment beside it.

constexpr std::array<KeyGroup, kKeyGroupCount> kGroups{{
    {"\xCA\xB1\xD0\xF2\xC6\xF7", 1, 16},   // 时序器
    {"\xCD\xB6\xD3\xB0\xD2\xC7", 17, 23},  // 投影仪
    {"\xB2\xA5\xB7\xC5\xC6\xF7", 24, 45},  // 播放器
    {"\xB9\xA6\xB7\xC5", 46, 66},          // 功放
    {"\xC0\xA9\xD5\xB9\xC7\xF8", 67, 78},  // 扩展区
}};

constexpr std::array<std::string_view, kKeyRowCount> kKeyNames{
    "\xCD\xA8\xB5\xC0\x31\xBF\xAA\x3D",      // 1: 通道1开=
    "\xCD\xA8\xB5\xC0\x31\xB9\xD8\x3D",      // 2: 通道1关=
    "\xCD\xA8\xB5\xC0\x32\xBF\xAA\x3D",      // 3: 通道2开=
    "\xCD\xA8\xB5\xC0\x32\xB9\xD8\x3D",      // 4: 通道2关=
    "\xCD\xA8\xB5\xC0\x33\xBF\xAA\x3D",      // 5: 通道3开=
    "\xCD\xA8\xB5\xC0\x33\xB9\xD8\x3D",      // 6: 通道3关=
    "\xCD\xA8\xB5\xC0\x34\xBF\xAA\x3D",      // 7: 通道4开=
    "\xCD\xA8\xB5\xC0\x34\xB9\xD8\x3D",      // 8: 通道4关=
    "\xCD\xA8\xB5\xC0\x35\xBF\xAA\x3D",      // 9: 通道5开=
    "\xCD\xA8\xB5\xC0\x35\xB9\xD8\x3D",      // 10: 通道5关=
    "\xCD\xA8\xB5\xC0\x36\xBF\xAA\x3D",      // 11: 通道6开=
    "\xCD\xA8\xB5\xC0\x36\xB9\xD8\x3D",      // 12: 通道6关=
    "\xCD\xA8\xB5\xC0\x37\xBF\xAA\x3D",      // 13: 通道7开=
    "\xCD\xA8\xB5\xC0\x37\xB9\xD8\x3D",      // 14: 通道7关=
    "\xCD\xA8\xB5\xC0\x38\xBF\xAA\x3D",      // 15: 通道8开=
    "\xCD\xA8\xB5\xC0\x38\xB9\xD8\x3D",      // 16: 通道8关=
    "\xCD\xB6\xD3\xB0\xBB\xFA\xBF\xAA\x3D",  // 17: 投影机开=
    "\xCD\xB6\xD3\xB0\xBB\xFA\xB9\xD8\x3D",  // 18: 投影机关=
    "VGA1=",                                 // 19: VGA1=
    "VGA2=",                                 // 20: VGA2=
    "HDMI1=",                                // 21: HDMI1=
    "HDMI2=",                                // 22: HDMI2=
    "HOME=",                                 // 23: HOME=
    "\xB2\xA5\xB7\xC5\xC6\xF7\xBF\xAA\x3D",  // 24: 播放器开=
    "\xB2\xA5\xB7\xC5\xC6\xF7\xB9\xD8\x3D",  // 25: 播放器关=
    "\xC9\xCF\x3D",                          // 26: 上=
    "\xCF\xC2\x3D",                          // 27: 下=
    "\xD7\xF3\x3D",                          // 28: 左=
    "\xD3\xD2\x3D",                          // 29: 右=
    "OK=",                                   // 30: OK=
    "\xB7\xB5\xBB\xD8\x3D",                  // 31: 返回=
    "\xD6\xF7\xD2\xB3\x3D",                  // 32: 主页=
    "\xB2\xCB\xB5\xA5\x3D",                  // 33: 菜单=
    "\xD7\xD6\xC4\xBB\x3D",                  // 34: 字幕=
    "\xD2\xF4\xB9\xEC\x3D",                  // 35: 音轨=
    "\xD2\xF4\xC1\xBF\x2B\x3D",              // 36: 音量+=
    "\xD2\xF4\xC1\xBF\x2D\x3D",              // 37: 音量-=
    "\xBE\xB2\xD2\xF4\x3D",                  // 38: 静音=
    "\xBF\xEC\xBD\xF8\x3D",                  // 39: 快进=
    "\xBF\xEC\xCD\xCB\x3D",                  // 40: 快退=
    "\xC9\xCF\xD2\xBB\xC7\xFA\x3D",          // 41: 上一曲=
    "\xCF\xC2\xD2\xBB\xC7\xFA\x3D",          // 42: 下一曲=
    "\xB2\xA5\xB7\xC5\x3D",                  // 43: 播放=
    "\xD4\xDD\xCD\xA3\x3D",                  // 44: 暂停=
    "\xCD\xA3\xD6\xB9\x3D",                  // 45: 停止=
    "\xB9\xA6\xB7\xC5\xBF\xAA\x3D",          // 46: 功放开=
    "\xB9\xA6\xB7\xC5\xB9\xD8\x3D",          // 47: 功放关=
    "movie=",                                // 48: movie=
    "music=",                                // 49: music=
    "game=",                                 // 50: game=
    "TV=",                                   // 51: TV=
    "computer=",                             // 52: computer=
    "golf=",                                 // 53: golf=
    "HDMI1=",                                // 54: HDMI1=
    "HDMI2=",                                // 55: HDMI2=
    "\xC9\xCF\x3D",                          // 56: 上=
    "\xCF\xC2\x3D",                          // 57: 下=
    "\xD7\xF3\x3D",                          // 58: 左=
    "\xD3\xD2\x3D",                          // 59: 右=
    "OK=",                                   // 60: OK=
    "\xB7\xB5\xBB\xD8\x3D",                  // 61: 返回=
    "\xD6\xF7\xD2\xB3\x3D",                  // 62: 主页=
    "\xB2\xCB\xB5\xA5\x3D",                  // 63: 菜单=
    "\xD2\xF4\xC1\xBF\x2B\x3D",              // 64: 音量+=
    "\xD2\xF4\xC1\xBF\x2D\x3D",              // 65: 音量-=
    "\xBE\xB2\xD2\xF4\x3D",                  // 66: 静音=
    "\xD7\xD4\xB6\xA8\xD2\xE5\x31",          // 67: 自定义1
    "\xD7\xD4\xB6\xA8\xD2\xE5\x32",          // 68: 自定义2
    "\xD7\xD4\xB6\xA8\xD2\xE5\x33",          // 69: 自定义3
    "\xD7\xD4\xB6\xA8\xD2\xE5\x34",          // 70: 自定义4
    "\xD7\xD4\xB6\xA8\xD2\xE5\x35",          // 71: 自定义5
    "\xD7\xD4\xB6\xA8\xD2\xE5\x36",          // 72: 自定义6
    "\xD7\xD4\xB6\xA8\xD2\xE5\x37",          // 73: 自定义7
    "\xD7\xD4\xB6\xA8\xD2\xE5\x38",          // 74: 自定义8
    "\xD7\xD4\xB6\xA8\xD2\xE5\x39",          // 75: 自定义9
    "\xD7\xD4\xB6\xA8\xD2\xE5\x31\x30",      // 76: 自定义10
    "\xD7\xD4\xB6\xA8\xD2\xE5\x31\x31",      // 77: 自定义11
    "\xD7\xD4\xB6\xA8\xD2\xE5\x31\x32",      // 78: 自定义12
};

}  // namespace

std::span<const KeyGroup> keyGroups() {
    return kGroups;
}

std::string_view keyName(int row) {
    if (row < kFirstKeyRow || row > kLastKeyRow) {
        return {};
    }
    return kKeyNames[static_cast<std::size_t>(row - kFirstKeyRow)];
}

}  // namespace veltrano::protocol
