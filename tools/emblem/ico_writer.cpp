#include "tools/emblem/ico_writer.h"

#include <cstddef>

namespace veltrano::emblem {
namespace {

void appendU16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void appendU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    appendU16(out, value & 0xFFFF);
    appendU16(out, value >> 16);
}

std::size_t padded(std::size_t bytes) {
    return (bytes + 3) / 4 * 4;
}

}  // namespace

std::vector<std::uint8_t> encodeIco24(const MaskedImage& image) {
    if (image.width <= 0 || image.height <= 0 || image.width > 256 || image.height > 256) return {};
    const auto width = static_cast<std::size_t>(image.width);
    const auto height = static_cast<std::size_t>(image.height);
    const std::size_t colourRow = padded(width * 3);
    const std::size_t maskRow = padded((width + 7) / 8);
    const std::size_t bitmapSize = 40 + colourRow * height + maskRow * height;
    constexpr std::uint32_t kImageOffset = 6 + 16;

    std::vector<std::uint8_t> out;
    out.reserve(kImageOffset + bitmapSize);
    appendU16(out, 0);
    appendU16(out, 1);  // icon
    appendU16(out, 1);  // one image
    // A width or height of 256 is written as 0.
    out.push_back(static_cast<std::uint8_t>(width & 0xFF));
    out.push_back(static_cast<std::uint8_t>(height & 0xFF));
    out.push_back(0);  // no palette
    out.push_back(0);
    appendU16(out, 1);   // planes
    appendU16(out, 24);  // bits per pixel
    appendU32(out, static_cast<std::uint32_t>(bitmapSize));
    appendU32(out, kImageOffset);

    appendU32(out, 40);
    appendU32(out, static_cast<std::uint32_t>(width));
    appendU32(out, static_cast<std::uint32_t>(height * 2));
    appendU16(out, 1);
    appendU16(out, 24);
    appendU32(out, 0);  // uncompressed
    appendU32(out, static_cast<std::uint32_t>(bitmapSize - 40));
    appendU32(out, 0);
    appendU32(out, 0);
    appendU32(out, 0);
    appendU32(out, 0);

    for (std::size_t r = height; r-- > 0;) {
        const std::size_t rowStart = out.size();
        for (std::size_t c = 0; c < width; ++c) {
            const std::size_t at = r * width + c;
            const Rgb pixel = image.opaque[at] ? image.pixels[at] : Rgb{};
            out.push_back(pixel.blue);
            out.push_back(pixel.green);
            out.push_back(pixel.red);
        }
        out.resize(rowStart + colourRow, 0);
    }
    for (std::size_t r = height; r-- > 0;) {
        std::vector<std::uint8_t> row(maskRow, 0);
        for (std::size_t c = 0; c < width; ++c) {
            if (!image.opaque[r * width + c]) row[c / 8] = static_cast<std::uint8_t>(row[c / 8] | (0x80u >> (c % 8)));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

}  // namespace veltrano::emblem
