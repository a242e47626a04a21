#include "tests/components_basic/bitmap_file.h"

namespace veltrano::test {
namespace {

void putLe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace

std::vector<std::uint8_t> bitmapFile(int width, int height, const std::vector<std::uint32_t>& pixels) {
    const int stride = (width * 3 + 3) / 4 * 4;
    const auto imageSize = static_cast<std::uint32_t>(stride * height);
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    putLe(out, 54 + imageSize, 4);
    putLe(out, 0, 4);
    putLe(out, 54, 4);
    putLe(out, 40, 4);
    putLe(out, static_cast<std::uint32_t>(width), 4);
    putLe(out, static_cast<std::uint32_t>(height), 4);
    putLe(out, 1, 2);
    putLe(out, 24, 2);
    putLe(out, 0, 4);
    putLe(out, imageSize, 4);
    putLe(out, 2835, 4);
    putLe(out, 2835, 4);
    putLe(out, 0, 4);
    putLe(out, 0, 4);
    // Bottom-up rows.
    for (int row = height - 1; row >= 0; --row) {
        for (int column = 0; column < width; ++column) {
            const std::uint32_t colour = pixels[static_cast<std::size_t>(row) * width + column];
            out.push_back(static_cast<std::uint8_t>(colour >> 16));
            out.push_back(static_cast<std::uint8_t>(colour >> 8));
            out.push_back(static_cast<std::uint8_t>(colour));
        }
        for (int pad = width * 3; pad < stride; ++pad) out.push_back(0);
    }
    return out;
}

}  // namespace veltrano::test
