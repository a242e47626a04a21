#pragma once

#include <cstdint>
#include <vector>

namespace veltrano::emblem {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

// A picture with one opacity bit per pixel, rows from the top.
struct MaskedImage {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;
    std::vector<bool> opaque;
};

// The program's emblem: a rounded square with an infrared emitter sending
// waves towards the top right. Integer arithmetic only, so the pixels are
// the same on every host.
MaskedImage drawEmblem(int size);

}  // namespace veltrano::emblem
