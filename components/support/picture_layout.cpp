#include "components/support/picture_layout.h"

namespace veltrano::drawing {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::uint32_t kCompressionNone = 0;
constexpr std::uint32_t kCompressionBitFields = 3;
constexpr std::size_t kIconDirectorySize = 6;
constexpr std::size_t kIconEntrySize = 16;

std::uint16_t u16At(std::span<const std::uint8_t> bytes, std::size_t offset) noexcept {
    return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

std::uint32_t u32At(std::span<const std::uint8_t> bytes, std::size_t offset) noexcept {
    return static_cast<std::uint32_t>(bytes[offset]) | (static_cast<std::uint32_t>(bytes[offset + 1]) << 8) |
           (static_cast<std::uint32_t>(bytes[offset + 2]) << 16) |
           (static_cast<std::uint32_t>(bytes[offset + 3]) << 24);
}

bool fits(std::size_t offset, std::uint64_t length, std::size_t total) noexcept {
    return offset <= total && length <= total - offset;
}

}  // namespace

std::optional<BitmapLayout> bitmapLayout(std::span<const std::uint8_t> bytes) noexcept {
    if (bytes.size() < kFileHeaderSize + kInfoHeaderSize || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
    const std::uint32_t bitsOffset = u32At(bytes, 10);
    const std::uint32_t headerSize = u32At(bytes, kFileHeaderSize);
    if (headerSize < kInfoHeaderSize || !fits(kFileHeaderSize, headerSize, bytes.size())) return std::nullopt;

    BitmapLayout layout;
    layout.infoOffset = kFileHeaderSize;
    layout.width = static_cast<std::int32_t>(u32At(bytes, kFileHeaderSize + 4));
    layout.height = static_cast<std::int32_t>(u32At(bytes, kFileHeaderSize + 8));
    const std::uint16_t planes = u16At(bytes, kFileHeaderSize + 12);
    layout.bitCount = u16At(bytes, kFileHeaderSize + 14);
    const std::uint32_t compression = u32At(bytes, kFileHeaderSize + 16);
    const std::uint32_t coloursUsed = u32At(bytes, kFileHeaderSize + 32);

    if (planes != 1 || layout.width <= 0 || layout.width > kLargestPictureSide || layout.height == 0 ||
        layout.height > kLargestPictureSide || layout.height < -kLargestPictureSide) {
        return std::nullopt;
    }
    switch (layout.bitCount) {
        case 1:
        case 4:
        case 8:
        case 24:
            if (compression != kCompressionNone) return std::nullopt;
            break;
        case 16:
        case 32:
            if (compression != kCompressionNone && compression != kCompressionBitFields) return std::nullopt;
            break;
        default: return std::nullopt;
    }

    std::uint64_t tableLength = 0;
    if (layout.bitCount <= 8) {
        const std::uint32_t most = 1u << layout.bitCount;
        if (coloursUsed > most) return std::nullopt;
        tableLength = 4ull * (coloursUsed == 0 ? most : coloursUsed);
    }
    // Masks follow a plain 40-byte header; larger headers carry them inside.
    if (compression == kCompressionBitFields && headerSize == kInfoHeaderSize) tableLength += 12;
    layout.infoLength = static_cast<std::size_t>(headerSize + tableLength);
    if (!fits(layout.infoOffset, layout.infoLength, bytes.size())) return std::nullopt;

    const std::int64_t rows = layout.height < 0 ? -static_cast<std::int64_t>(layout.height) : layout.height;
    const std::uint64_t stride = ((static_cast<std::uint64_t>(layout.width) * layout.bitCount + 31) / 32) * 4;
    const std::uint64_t bitsLength = stride * static_cast<std::uint64_t>(rows);
    if (bitsOffset < layout.infoOffset + layout.infoLength || !fits(bitsOffset, bitsLength, bytes.size())) {
        return std::nullopt;
    }
    layout.bitsOffset = bitsOffset;
    layout.bitsLength = static_cast<std::size_t>(bitsLength);
    return layout;
}

std::optional<IconLayout> iconLayout(std::span<const std::uint8_t> bytes) noexcept {
    if (bytes.size() < kIconDirectorySize + kIconEntrySize || u16At(bytes, 0) != 0) return std::nullopt;
    const std::uint16_t type = u16At(bytes, 2);
    if ((type != 1 && type != 2) || u16At(bytes, 4) == 0) return std::nullopt;

    IconLayout layout;
    layout.cursor = type == 2;
    const std::size_t entry = kIconDirectorySize;
    // A stored 0 stands for 256 pixels.
    layout.width = bytes[entry] == 0 ? 256 : bytes[entry];
    layout.height = bytes[entry + 1] == 0 ? 256 : bytes[entry + 1];
    const std::uint32_t length = u32At(bytes, entry + 8);
    const std::uint32_t offset = u32At(bytes, entry + 12);
    if (length == 0 || offset < kIconDirectorySize + kIconEntrySize || !fits(offset, length, bytes.size())) {
        return std::nullopt;
    }
    layout.imageOffset = offset;
    layout.imageLength = length;
    return layout;
}

}  // namespace veltrano::drawing
