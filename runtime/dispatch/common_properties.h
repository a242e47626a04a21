#pragma once

#include <cstdint>

namespace veltrano {

// The common properties every component has, numbered before the class's own.
enum class CommonProperty : int {
    Left = 0,
    Top = 1,
    Width = 2,
    Height = 3,
    Tag = 4,
    Visible = 5,
    Disabled = 6,
    MousePointer = 7,
};
inline constexpr int kFirstClassProperty = 8;

// Positions are kept within what the window system's 16-bit coordinates
// hold with room to spare.
inline constexpr std::int32_t kCoordinateLimit = 32627;

constexpr std::int32_t clampPosition(std::int32_t value) noexcept {
    return value > kCoordinateLimit ? kCoordinateLimit : (value < -kCoordinateLimit ? -kCoordinateLimit : value);
}

constexpr std::int32_t clampExtent(std::int32_t value) noexcept {
    return value > kCoordinateLimit ? kCoordinateLimit : (value < 0 ? 0 : value);
}

}  // namespace veltrano
