#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace veltrano {

// Where one image of an icon or cursor file lies in the file's bytes.
struct IconImageSpan {
    std::size_t offset = 0;
    std::size_t length = 0;
    int width = 0;
    int height = 0;
};

// The image of an icon (or cursor) file that suits a width and height best:
// the exact size with the most colours, else the smallest larger image, else
// the largest. Nothing when the bytes are no icon file or an entry points
// outside them.
std::optional<IconImageSpan> bestIconImage(std::span<const std::uint8_t> bytes, int width, int height);

// An uncompressed or bit-field bitmap file, checked so that the header, the
// palette and every row of pixels lie inside the bytes.
struct BitmapLayout {
    std::size_t infoOffset = 0;  // the info header; palette follows it
    std::size_t bitsOffset = 0;
    int width = 0;
    int height = 0;  // positive, whatever the row order
};
std::optional<BitmapLayout> checkBitmapFile(std::span<const std::uint8_t> bytes);

}  // namespace veltrano
