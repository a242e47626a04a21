#pragma once

#include <windows.h>

#include <cstdint>
#include <span>

namespace veltrano::drawing {

// Fills the rectangle with a gradient (mode 1..8, two or three colours),
// computed and drawn in tiles of at most 50 x 50 pixels; tiles outside the
// device context's clip box are skipped.
void fillGradient(HDC dc, const RECT& area, int mode, std::span<const std::uint32_t> colours);

// A frame of `width` pixels along the edges of `outer`: top and bottom bands
// run top to bottom, left and right bands left to right, and each corner is
// split along its diagonal. The context's clipping is left as it was.
void drawGradientFrame(HDC dc, const RECT& outer, int width, std::span<const std::uint32_t> colours);

// 0x00BBGGRR, with the system default drawn as the button face.
COLORREF resolveColour(std::uint32_t colour) noexcept;

}  // namespace veltrano::drawing
