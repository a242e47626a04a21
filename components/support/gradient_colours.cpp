#include "components/support/gradient_colours.h"

#include <algorithm>

namespace veltrano::drawing {
namespace {

std::int64_t channel(std::uint32_t colour, int shift) noexcept {
    return static_cast<std::int64_t>((colour >> shift) & 0xFF);
}

}  // namespace

GradientColours collectGradientColours(std::uint32_t first, std::uint32_t second, std::uint32_t third) noexcept {
    GradientColours result;
    for (std::uint32_t colour : {first, second, third}) {
        if (colour != kTransparentColour) result.colours[result.count++] = colour & 0x00FFFFFF;
    }
    return result;
}

std::int64_t gradientSpan(int mode, std::int32_t width, std::int32_t height) noexcept {
    switch (mode) {
        case 1:
        case 5: return height;
        case 2:
        case 6: return width;
        case 3:
        case 4:
        case 7:
        case 8: return 2 * static_cast<std::int64_t>(std::min(width, height));
        default: return 0;
    }
}

std::int64_t gradientPosition(int mode, std::int32_t width, std::int32_t height, std::int32_t x,
                              std::int32_t y) noexcept {
    const std::int64_t fromRight = static_cast<std::int64_t>(width) - 1 - x;
    const std::int64_t fromBottom = static_cast<std::int64_t>(height) - 1 - y;
    // The diagonal span is twice the shorter side; both coordinates are
    // scaled onto that side so the gradient reaches the far corner of any
    // rectangle, not just of a square.
    const std::int64_t side = std::min(width, height);
    auto scaled = [side](std::int64_t offset, std::int32_t extent) noexcept {
        return extent > 0 ? offset * side / extent : 0;
    };
    switch (mode) {
        case 1: return y;
        case 2: return x;
        case 5: return fromBottom;
        case 6: return fromRight;
        case 3: return scaled(x, width) + scaled(y, height);
        case 4: return scaled(fromRight, width) + scaled(y, height);
        case 7: return scaled(fromRight, width) + scaled(fromBottom, height);
        case 8: return scaled(x, width) + scaled(fromBottom, height);
        default: return 0;
    }
}

std::uint32_t gradientColourAtPosition(std::span<const std::uint32_t> colours, std::int64_t span,
                                       std::int64_t position) noexcept {
    if (colours.empty()) return 0;
    if (colours.size() == 1) return colours[0];
    const auto segments = static_cast<std::int64_t>(colours.size() - 1);
    // A span shorter than the number of segments would make empty segments;
    // one pixel per segment keeps every position on a defined colour.
    const std::int64_t segmentLength = std::max<std::int64_t>(1, span / segments);
    const std::int64_t segment = std::max<std::int64_t>(0, position) / segmentLength;
    if (segment >= segments) return colours.back();
    const std::int64_t offset = std::max<std::int64_t>(0, position) - segment * segmentLength;
    const std::uint32_t from = colours[static_cast<std::size_t>(segment)];
    const std::uint32_t to = colours[static_cast<std::size_t>(segment) + 1];
    std::uint32_t result = 0;
    for (int shift : {0, 8, 16}) {
        const std::int64_t a = channel(from, shift);
        const std::int64_t b = channel(to, shift);
        const std::int64_t value = a + (b - a) * offset / segmentLength;
        result |= static_cast<std::uint32_t>(value & 0xFF) << shift;
    }
    return result;
}

std::uint32_t gradientColourAt(int mode, std::int32_t width, std::int32_t height, std::int32_t x, std::int32_t y,
                               std::span<const std::uint32_t> colours) noexcept {
    return gradientColourAtPosition(colours, gradientSpan(mode, width, height),
                                    gradientPosition(mode, width, height, x, y));
}

}  // namespace veltrano::drawing
