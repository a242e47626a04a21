#pragma once

#include <windows.h>

#include <cstdint>
#include <span>

#include "runtime/kernel/unique_handle.h"

namespace veltrano {

// A drawable picture from picture file bytes (BMP, or any format the
// system's imaging component reads); empty (and a zero size) when the bytes
// cannot be read as one.
win::UniqueBitmap decodePicture(std::span<const std::uint8_t> bytes, SIZE& size);

// Draws the picture into the client area by mode (0 natural size at the
// corner, 1 tiled, 2 centred and shrunk to fit, 3 stretched), touching only
// what meets `clip`; answers the rectangle the picture covers.
RECT drawPicture(HDC dc, HBITMAP picture, SIZE size, int mode, const RECT& client, const RECT& clip);

}  // namespace veltrano
