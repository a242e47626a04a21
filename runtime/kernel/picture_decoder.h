#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>

#include "runtime/kernel/unique_handle.h"

namespace veltrano {

// A picture ready to draw: a 32-bit top-down bitmap with any transparency
// already laid over the background it was decoded against.
struct DecodedPicture {
    win::UniqueBitmap bitmap;
    SIZE size{};
};

// Decodes picture bytes in any format the system's imaging component reads
// (BMP, PNG, JPEG, GIF, ICO, TIFF; the first frame), composed over
// `background`. Nothing for bytes it cannot read or for pictures beyond
// 16384 pixels a side.
std::optional<DecodedPicture> decodePictureBytes(std::span<const std::uint8_t> bytes, COLORREF background);

}  // namespace veltrano
