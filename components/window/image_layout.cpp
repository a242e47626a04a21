#include "components/window/image_layout.h"

namespace veltrano {
namespace {

std::uint32_t u16At(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at] | (bytes[at + 1] << 8));
}

std::uint32_t u32At(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | (static_cast<std::uint32_t>(bytes[at + 1]) << 8) |
           (static_cast<std::uint32_t>(bytes[at + 2]) << 16) | (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

bool fits(std::size_t size, std::uint64_t offset, std::uint64_t length) {
    return offset <= size && length <= size - offset;
}

constexpr std::size_t kDirectoryHeader = 6;
constexpr std::size_t kDirectoryEntry = 16;

}  // namespace

std::optional<IconImageSpan> bestIconImage(std::span<const std::uint8_t> bytes, int width, int height) {
    if (bytes.size() < kDirectoryHeader) return std::nullopt;
    const std::uint32_t type = u16At(bytes, 2);
    const std::uint32_t count = u16At(bytes, 4);
    if (u16At(bytes, 0) != 0 || (type != 1 && type != 2) || count == 0) return std::nullopt;
    if (!fits(bytes.size(), kDirectoryHeader, std::uint64_t{count} * kDirectoryEntry)) return std::nullopt;

    std::optional<IconImageSpan> exact;
    std::uint32_t exactDepth = 0;
    std::optional<IconImageSpan> larger;
    std::optional<IconImageSpan> largest;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t entry = kDirectoryHeader + i * kDirectoryEntry;
        IconImageSpan image;
        image.width = bytes[entry] == 0 ? 256 : bytes[entry];
        image.height = bytes[entry + 1] == 0 ? 256 : bytes[entry + 1];
        image.length = u32At(bytes, entry + 8);
        image.offset = u32At(bytes, entry + 12);
        if (image.length == 0 || !fits(bytes.size(), image.offset, image.length)) return std::nullopt;
        // Cursors keep their hot spot where icons keep their colour depth.
        const std::uint32_t depth = type == 1 ? u16At(bytes, entry + 6) : 0;
        if (image.width == width && image.height == height) {
            if (!exact || depth > exactDepth) {
                exact = image;
                exactDepth = depth;
            }
        } else if (image.width >= width && image.height >= height) {
            if (!larger || image.width < larger->width) larger = image;
        }
        if (!largest || image.width > largest->width) largest = image;
    }
    if (exact) return exact;
    if (larger) return larger;
    return largest;
}

std::optional<BitmapLayout> checkBitmapFile(std::span<const std::uint8_t> bytes) {
    constexpr std::size_t kFileHeader = 14;
    constexpr std::size_t kInfoHeader = 40;
    if (bytes.size() < kFileHeader + kInfoHeader || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
    const std::uint32_t bitsOffset = u32At(bytes, 10);
    const std::uint32_t infoSize = u32At(bytes, kFileHeader);
    if (infoSize < kInfoHeader || !fits(bytes.size(), kFileHeader, infoSize)) return std::nullopt;
    const auto width = static_cast<std::int32_t>(u32At(bytes, kFileHeader + 4));
    const auto signedHeight = static_cast<std::int32_t>(u32At(bytes, kFileHeader + 8));
    const std::uint32_t bitCount = u16At(bytes, kFileHeader + 14);
    const std::uint32_t compression = u32At(bytes, kFileHeader + 16);
    std::uint32_t paletteCount = u32At(bytes, kFileHeader + 32);
    constexpr std::uint32_t kRgb = 0;
    constexpr std::uint32_t kBitFields = 3;
    if (compression != kRgb && compression != kBitFields) return std::nullopt;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32) {
        return std::nullopt;
    }
    if (width <= 0 || signedHeight == 0 || signedHeight == INT32_MIN || width > 32767) return std::nullopt;
    const std::int64_t height = signedHeight < 0 ? -std::int64_t{signedHeight} : signedHeight;
    if (height > 32767) return std::nullopt;
    if (paletteCount == 0 && bitCount <= 8) paletteCount = 1u << bitCount;
    if (paletteCount > 256) return std::nullopt;
    const std::uint64_t masks = (compression == kBitFields && infoSize == kInfoHeader) ? 12 : 0;
    const std::uint64_t paletteEnd = std::uint64_t{kFileHeader} + infoSize + masks + std::uint64_t{paletteCount} * 4;
    if (paletteEnd > bytes.size() || bitsOffset < kFileHeader + infoSize) return std::nullopt;
    const std::uint64_t stride = ((std::uint64_t(width) * bitCount + 31) / 32) * 4;
    if (!fits(bytes.size(), bitsOffset, stride * std::uint64_t(height))) return std::nullopt;
    BitmapLayout layout;
    layout.infoOffset = kFileHeader;
    layout.bitsOffset = bitsOffset;
    layout.width = width;
    layout.height = static_cast<int>(height);
    return layout;
}

}  // namespace veltrano
