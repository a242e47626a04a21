#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace veltrano::drawing {

// Where the parts of a BMP file lie in a byte set, every offset and length
// checked against the bytes so the window system is only handed what is there.
struct BitmapLayout {
    std::size_t infoOffset = 0;  // the info header, then masks and palette
    std::size_t infoLength = 0;
    std::size_t bitsOffset = 0;
    std::size_t bitsLength = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;  // negative: rows run top-down
    std::uint16_t bitCount = 0;
};

// One image of an icon or cursor file: the first entry of its directory.
struct IconLayout {
    std::size_t imageOffset = 0;
    std::size_t imageLength = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool cursor = false;
};

// Pictures wider or taller than this are refused rather than allocated.
inline constexpr std::int32_t kLargestPictureSide = 16384;

std::optional<BitmapLayout> bitmapLayout(std::span<const std::uint8_t> bytes) noexcept;
std::optional<IconLayout> iconLayout(std::span<const std::uint8_t> bytes) noexcept;

}  // namespace veltrano::drawing
