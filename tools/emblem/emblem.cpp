#include "tools/emblem/emblem.h"

#include <cstdint>

namespace veltrano::emblem {
namespace {

// Geometry in sixteenths of a pixel; each pixel is sampled on a 4 x 4 grid.
constexpr std::int64_t kUnit = 16;
constexpr int kSamplesPerAxis = 4;
constexpr std::int64_t kSampleStep = kUnit / kSamplesPerAxis;

struct Layout {
    std::int64_t size;
    std::int64_t cornerRadius;
    std::int64_t rimWidth;
    std::int64_t emitterX;
    std::int64_t emitterY;
    std::int64_t emitterRadius;
    std::int64_t glintRadius;
    std::int64_t waveRadius[3];
    std::int64_t waveHalfWidth;
};

Layout layoutFor(int size) {
    const std::int64_t s = static_cast<std::int64_t>(size) * kUnit;
    return Layout{s,
                  s * 18 / 100,
                  s * 2 / 100,
                  s * 27 / 100,
                  s * 73 / 100,
                  s * 8 / 100,
                  s * 3 / 100,
                  {s * 24 / 100, s * 40 / 100, s * 56 / 100},
                  s * 35 / 1000};
}

bool insideRoundedSquare(std::int64_t x, std::int64_t y, std::int64_t inset, const Layout& l) {
    const std::int64_t low = inset;
    const std::int64_t high = l.size - inset;
    if (x < low || y < low || x >= high || y >= high) return false;
    const std::int64_t radius = l.cornerRadius - inset;
    if (radius <= 0) return true;
    const std::int64_t cx = x < low + radius ? low + radius : (x >= high - radius ? high - radius : x);
    const std::int64_t cy = y < low + radius ? low + radius : (y >= high - radius ? high - radius : y);
    const std::int64_t dx = x - cx;
    const std::int64_t dy = y - cy;
    return dx * dx + dy * dy <= radius * radius;
}

Rgb mix(Rgb a, Rgb b, std::int64_t numerator, std::int64_t denominator) {
    auto channel = [&](std::uint8_t from, std::uint8_t to) {
        return static_cast<std::uint8_t>(from + (static_cast<std::int64_t>(to) - from) * numerator / denominator);
    };
    return Rgb{channel(a.red, b.red), channel(a.green, b.green), channel(a.blue, b.blue)};
}

// Colour of one sample point inside the emblem, painted back to front.
Rgb sampleColour(std::int64_t x, std::int64_t y, const Layout& l) {
    const Rgb top{38, 62, 98};
    const Rgb bottom{13, 26, 46};
    Rgb colour = mix(top, bottom, y, l.size);
    if (!insideRoundedSquare(x, y, l.rimWidth, l)) colour = Rgb{92, 128, 176};

    const std::int64_t dx = x - l.emitterX;
    const std::int64_t dy = y - l.emitterY;
    const std::int64_t distanceSquared = dx * dx + dy * dy;

    // Waves open towards the top right: within 40 degrees of the diagonal,
    // tested as (d . (1, -1))^2 >= 2 |d|^2 cos^2(40 degrees).
    const std::int64_t along = dx - dy;
    const bool inCone = along > 0 && along * along * 1000 >= 2 * distanceSquared * 587;
    const Rgb waveColours[3] = {{255, 84, 54}, {255, 126, 52}, {255, 174, 66}};
    for (int k = 0; k < 3; ++k) {
        const std::int64_t inner = l.waveRadius[k] - l.waveHalfWidth;
        const std::int64_t outer = l.waveRadius[k] + l.waveHalfWidth;
        if (inCone && distanceSquared >= inner * inner && distanceSquared <= outer * outer) colour = waveColours[k];
    }

    if (distanceSquared <= l.emitterRadius * l.emitterRadius) {
        colour = mix(Rgb{236, 58, 40}, Rgb{150, 24, 20}, distanceSquared, l.emitterRadius * l.emitterRadius);
        const std::int64_t gx = dx + l.emitterRadius / 3;
        const std::int64_t gy = dy + l.emitterRadius / 3;
        if (gx * gx + gy * gy <= l.glintRadius * l.glintRadius) colour = Rgb{255, 196, 180};
    }
    return colour;
}

}  // namespace

MaskedImage drawEmblem(int size) {
    MaskedImage image;
    if (size <= 0) return image;
    image.width = size;
    image.height = size;
    image.pixels.resize(static_cast<std::size_t>(size) * static_cast<std::size_t>(size));
    image.opaque.resize(image.pixels.size());
    const Layout layout = layoutFor(size);
    constexpr int kSamples = kSamplesPerAxis * kSamplesPerAxis;

    for (int row = 0; row < size; ++row) {
        for (int column = 0; column < size; ++column) {
            std::int64_t red = 0;
            std::int64_t green = 0;
            std::int64_t blue = 0;
            std::int64_t covered = 0;
            for (int sy = 0; sy < kSamplesPerAxis; ++sy) {
                for (int sx = 0; sx < kSamplesPerAxis; ++sx) {
                    const std::int64_t x = column * kUnit + sx * kSampleStep + kSampleStep / 2;
                    const std::int64_t y = row * kUnit + sy * kSampleStep + kSampleStep / 2;
                    if (!insideRoundedSquare(x, y, 0, layout)) continue;
                    const Rgb c = sampleColour(x, y, layout);
                    red += c.red;
                    green += c.green;
                    blue += c.blue;
                    ++covered;
                }
            }
            const std::size_t at =
                static_cast<std::size_t>(row) * static_cast<std::size_t>(size) + static_cast<std::size_t>(column);
            // A one-bit mask cannot blend: half a pixel covered counts as opaque.
            if (covered * 2 < kSamples) continue;
            image.opaque[at] = true;
            image.pixels[at] = Rgb{static_cast<std::uint8_t>(red / covered), static_cast<std::uint8_t>(green / covered),
                                   static_cast<std::uint8_t>(blue / covered)};
        }
    }
    return image;
}

}  // namespace veltrano::emblem
