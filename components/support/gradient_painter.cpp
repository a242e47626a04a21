#include "components/support/gradient_painter.h"

#include <algorithm>
#include <vector>

#include "components/support/gradient_colours.h"
#include "runtime/kernel/unique_handle.h"

namespace veltrano::drawing {
namespace {

constexpr int kTileSide = 50;

// DIB pixels are 0x00RRGGBB; colours are 0x00BBGGRR.
std::uint32_t dibPixel(std::uint32_t colour) noexcept {
    return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

void fillClippedTo(HDC dc, const POINT (&corners)[4], const RECT& band, int mode,
                   std::span<const std::uint32_t> colours) {
    if (band.right <= band.left || band.bottom <= band.top) return;
    // The clipping set below must not outlast the band.
    win::SavedDc saved(dc);
    // Regions are in device units; the polygon is in logical ones.
    POINT device[4] = {corners[0], corners[1], corners[2], corners[3]};
    LPtoDP(dc, device, 4);
    win::UniqueRegion region(CreatePolygonRgn(device, 4, WINDING));
    if (!region) return;
    ExtSelectClipRgn(dc, region.get(), RGN_AND);
    fillGradient(dc, band, mode, colours);
}

}  // namespace

COLORREF resolveColour(std::uint32_t colour) noexcept {
    if (colour == kTransparentColour) return GetSysColor(COLOR_BTNFACE);
    return static_cast<COLORREF>(colour & 0x00FFFFFF);
}

void fillGradient(HDC dc, const RECT& area, int mode, std::span<const std::uint32_t> colours) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0 || !isGradientMode(mode) || colours.empty()) return;
    RECT clip{};
    if (GetClipBox(dc, &clip) == NULLREGION) return;

    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(kTileSide) * kTileSide);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const auto span = gradientSpan(mode, width, height);
    for (int tileTop = 0; tileTop < height; tileTop += kTileSide) {
        for (int tileLeft = 0; tileLeft < width; tileLeft += kTileSide) {
            const RECT tile{area.left + tileLeft, area.top + tileTop, area.left + std::min(width, tileLeft + kTileSide),
                            area.top + std::min(height, tileTop + kTileSide)};
            RECT visible{};
            if (!IntersectRect(&visible, &tile, &clip)) continue;
            const int tileWidth = tile.right - tile.left;
            const int tileHeight = tile.bottom - tile.top;
            for (int row = 0; row < tileHeight; ++row) {
                for (int column = 0; column < tileWidth; ++column) {
                    const auto position = gradientPosition(mode, width, height, tileLeft + column, tileTop + row);
                    pixels[static_cast<std::size_t>(row) * tileWidth + column] =
                        dibPixel(gradientColourAtPosition(colours, span, position));
                }
            }
            info.bmiHeader.biWidth = tileWidth;
            info.bmiHeader.biHeight = -tileHeight;
            SetDIBitsToDevice(dc, tile.left, tile.top, static_cast<DWORD>(tileWidth), static_cast<DWORD>(tileHeight), 0,
                              0, 0, static_cast<UINT>(tileHeight), pixels.data(), &info, DIB_RGB_COLORS);
        }
    }
}

void drawGradientFrame(HDC dc, const RECT& outer, int width, std::span<const std::uint32_t> colours) {
    const int dx = std::min(width, static_cast<int>((outer.right - outer.left) / 2));
    const int dy = std::min(width, static_cast<int>((outer.bottom - outer.top) / 2));
    if (dx <= 0 && dy <= 0) return;
    const RECT inner{outer.left + dx, outer.top + dy, outer.right - dx, outer.bottom - dy};
    const POINT topLeft{outer.left, outer.top}, topRight{outer.right, outer.top};
    const POINT bottomLeft{outer.left, outer.bottom}, bottomRight{outer.right, outer.bottom};
    const POINT innerTopLeft{inner.left, inner.top}, innerTopRight{inner.right, inner.top};
    const POINT innerBottomLeft{inner.left, inner.bottom}, innerBottomRight{inner.right, inner.bottom};

    fillClippedTo(dc, {topLeft, topRight, innerTopRight, innerTopLeft}, {outer.left, outer.top, outer.right, inner.top},
                  1, colours);
    fillClippedTo(dc, {innerBottomLeft, innerBottomRight, bottomRight, bottomLeft},
                  {outer.left, inner.bottom, outer.right, outer.bottom}, 1, colours);
    fillClippedTo(dc, {topLeft, innerTopLeft, innerBottomLeft, bottomLeft},
                  {outer.left, outer.top, inner.left, outer.bottom}, 2, colours);
    fillClippedTo(dc, {innerTopRight, topRight, bottomRight, innerBottomRight},
                  {inner.right, outer.top, outer.right, outer.bottom}, 2, colours);
}

}  // namespace veltrano::drawing
