#pragma once

#include <cstdint>

namespace veltrano::class_id {

// (library number << 16) | the class's 1-based number in its library.
inline constexpr std::uint32_t kWindow = 0x00010001;
inline constexpr std::uint32_t kMenuItem = 0x00010003;
inline constexpr std::uint32_t kEditBox = 0x00010005;
inline constexpr std::uint32_t kGroupBox = 0x00010009;
inline constexpr std::uint32_t kLabel = 0x0001000A;
inline constexpr std::uint32_t kButton = 0x0001000B;
inline constexpr std::uint32_t kComboBox = 0x0001000E;
inline constexpr std::uint32_t kProgressBar = 0x00010013;
inline constexpr std::uint32_t kCommonDialog = 0x0001001F;
inline constexpr std::uint32_t kTimer = 0x00010020;
inline constexpr std::uint32_t kGrid = 0x00030001;

constexpr std::uint32_t libraryNumber(std::uint32_t classId) noexcept {
    return classId >> 16;
}
constexpr std::uint32_t unitNumber(std::uint32_t classId) noexcept {
    return classId & 0xFFFF;
}

}  // namespace veltrano::class_id
