#include "tools/emblem/ico_writer.h"

#include <cstddef>
#include <limits>

namespace veltrano::emblem {
namespace {

constexpr std::size_t kDirectorySize = 6;
constexpr std::size_t kEntrySize = 16;
constexpr std::size_t kBitmapHeaderSize = 40;
constexpr int kLargestSide = 256;

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

bool encodable(const MaskedImage& image) {
    if (image.width <= 0 || image.height <= 0 || image.width > kLargestSide || image.height > kLargestSide) {
        return false;
    }
    const std::size_t pixelCount = static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
    return image.pixels.size() == pixelCount && image.opaque.size() == pixelCount;
}

}  // namespace

std::vector<std::uint8_t> encodeIconBitmap24(const MaskedImage& image) {
    if (!encodable(image)) return {};
    const auto width = static_cast<std::size_t>(image.width);
    const auto height = static_cast<std::size_t>(image.height);
    const std::size_t colourRow = padded(width * 3);
    const std::size_t maskRow = padded((width + 7) / 8);
    const std::size_t bitmapSize = kBitmapHeaderSize + colourRow * height + maskRow * height;

    std::vector<std::uint8_t> out;
    out.reserve(bitmapSize);
    appendU32(out, static_cast<std::uint32_t>(kBitmapHeaderSize));
    appendU32(out, static_cast<std::uint32_t>(width));
    appendU32(out, static_cast<std::uint32_t>(height * 2));
    appendU16(out, 1);   // planes
    appendU16(out, 24);  // bits per pixel
    appendU32(out, 0);   // uncompressed
    appendU32(out, static_cast<std::uint32_t>(bitmapSize - kBitmapHeaderSize));
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
        const std::size_t rowStart = out.size();
        out.resize(rowStart + maskRow, 0);
        for (std::size_t c = 0; c < width; ++c) {
            if (image.opaque[r * width + c]) continue;
            std::uint8_t& maskByte = out[rowStart + c / 8];
            maskByte = static_cast<std::uint8_t>(maskByte | (0x80u >> (c % 8)));
        }
    }
    return out;
}

std::vector<std::uint8_t> encodeIco24(std::span<const MaskedImage> images) {
    if (images.empty() || images.size() > std::numeric_limits<std::uint16_t>::max()) return {};
    std::vector<std::vector<std::uint8_t>> bitmaps;
    bitmaps.reserve(images.size());
    std::size_t total = kDirectorySize + kEntrySize * images.size();
    for (const MaskedImage& image : images) {
        bitmaps.push_back(encodeIconBitmap24(image));
        if (bitmaps.back().empty()) return {};
        total += bitmaps.back().size();
    }
    // Offsets are 32-bit: 65535 images of 256 pixels would not fit.
    if (total > std::numeric_limits<std::uint32_t>::max()) return {};

    std::vector<std::uint8_t> out;
    out.reserve(total);
    appendU16(out, 0);
    appendU16(out, 1);  // icon
    appendU16(out, static_cast<std::uint32_t>(images.size()));
    std::size_t offset = kDirectorySize + kEntrySize * images.size();
    for (std::size_t i = 0; i < images.size(); ++i) {
        // A width or height of 256 is written as 0.
        out.push_back(static_cast<std::uint8_t>(images[i].width & 0xFF));
        out.push_back(static_cast<std::uint8_t>(images[i].height & 0xFF));
        out.push_back(0);  // no palette
        out.push_back(0);
        appendU16(out, 1);   // planes
        appendU16(out, 24);  // bits per pixel
        appendU32(out, static_cast<std::uint32_t>(bitmaps[i].size()));
        appendU32(out, static_cast<std::uint32_t>(offset));
        offset += bitmaps[i].size();
    }
    for (const auto& bitmap : bitmaps) out.insert(out.end(), bitmap.begin(), bitmap.end());
    return out;
}

std::vector<std::uint8_t> encodeIco24(const MaskedImage& image) {
    return encodeIco24(std::span<const MaskedImage>(&image, 1));
}

}  // namespace veltrano::emblem
