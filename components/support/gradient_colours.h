#pragma once

#include <cstdint>
#include <span>

namespace veltrano::drawing {

// Gradient fills run in one of eight directions: 1 top to bottom, 2 left to
// right, 3 top-left to bottom-right, 4 top-right to bottom-left, and 5 to 8
// the same four reversed.
inline constexpr int kFirstGradientMode = 1;
inline constexpr int kLastGradientMode = 8;
inline constexpr std::uint32_t kTransparentColour = 0xFF000000;

constexpr bool isGradientMode(int mode) noexcept {
    return mode >= kFirstGradientMode && mode <= kLastGradientMode;
}

// Up to three colours of a gradient, transparent ones left out.
struct GradientColours {
    std::uint32_t colours[3] = {};
    std::size_t count = 0;

    std::span<const std::uint32_t> view() const noexcept { return {colours, count}; }
};

GradientColours collectGradientColours(std::uint32_t first, std::uint32_t second, std::uint32_t third) noexcept;

// The length the colours are spread over in a width x height rectangle.
std::int64_t gradientSpan(int mode, std::int32_t width, std::int32_t height) noexcept;

// Where pixel (x, y) of the rectangle lies along the span.
std::int64_t gradientPosition(int mode, std::int32_t width, std::int32_t height, std::int32_t x,
                              std::int32_t y) noexcept;

// The colour (0x00BBGGRR) at a position: the span is cut into equal segments
// between neighbouring colours, each channel interpolated and truncated.
std::uint32_t gradientColourAtPosition(std::span<const std::uint32_t> colours, std::int64_t span,
                                       std::int64_t position) noexcept;

std::uint32_t gradientColourAt(int mode, std::int32_t width, std::int32_t height, std::int32_t x, std::int32_t y,
                               std::span<const std::uint32_t> colours) noexcept;

}  // namespace veltrano::drawing
