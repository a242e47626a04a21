#include "runtime/dispatch/font_access.h"

#include <cstring>

namespace veltrano {
namespace {

// The window system's rounding multiply-divide: a * b / c to the nearest.
std::int32_t mulDiv(std::int64_t a, std::int64_t b, std::int64_t c) noexcept {
    if (c == 0) return 0;
    const std::int64_t product = a * b;
    const std::int64_t half = (c < 0 ? -c : c) / 2;
    const std::int64_t rounded = ((product < 0) != (c < 0)) ? (product - half) / c : (product + half) / c;
    return static_cast<std::int32_t>(rounded);
}

std::int32_t sizeFromHeight(std::int32_t height, int pixelsPerInch) noexcept {
    const std::int32_t magnitude = height < 0 ? -height : height;
    return mulDiv(magnitude, 72, pixelsPerInch);
}

std::int32_t heightFromSize(std::int32_t size, int pixelsPerInch) noexcept {
    return -mulDiv(size < 0 ? 0 : size, pixelsPerInch, 72);
}

}  // namespace

std::optional<LogFontImage> LogFontImage::fromBytes(std::string_view bytes) {
    if (bytes.size() != kSize) return std::nullopt;
    LogFontImage image;
    std::memcpy(image.bytes_.data(), bytes.data(), kSize);
    return image;
}

std::int32_t LogFontImage::word(std::size_t offset) const noexcept {
    const std::uint32_t value =
        static_cast<std::uint32_t>(bytes_[offset]) | (static_cast<std::uint32_t>(bytes_[offset + 1]) << 8) |
        (static_cast<std::uint32_t>(bytes_[offset + 2]) << 16) | (static_cast<std::uint32_t>(bytes_[offset + 3]) << 24);
    return static_cast<std::int32_t>(value);
}

void LogFontImage::setWord(std::size_t offset, std::int32_t value) noexcept {
    const auto bits = static_cast<std::uint32_t>(value);
    for (std::size_t i = 0; i < 4; ++i) bytes_[offset + i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

std::string LogFontImage::faceName() const {
    const auto* name = reinterpret_cast<const char*>(bytes_.data() + 28);
    std::size_t length = 0;
    while (length < kFaceNameSize && name[length] != '\0') ++length;
    return std::string(name, length);
}

void LogFontImage::setFaceName(std::string_view name) noexcept {
    std::uint8_t* field = bytes_.data() + 28;
    std::memset(field, 0, kFaceNameSize);
    std::memcpy(field, name.data(), name.size() < kFaceNameSize ? name.size() : kFaceNameSize - 1);
}

std::int32_t readFontNumber(const LogFontImage& font, FontField field, int pixelsPerInch) noexcept {
    switch (field) {
        case FontField::Angle: return font.escapement();
        case FontField::Bold: return font.weight() >= 700 ? 1 : 0;
        case FontField::Italic: return font.italic() ? 1 : 0;
        case FontField::StrikeOut: return font.strikeOut() ? 1 : 0;
        case FontField::Underline: return font.underline() ? 1 : 0;
        case FontField::Size: return sizeFromHeight(font.height(), pixelsPerInch);
        default: return 0;
    }
}

void writeFontNumber(LogFontImage& font, FontField field, std::int32_t value, int pixelsPerInch) noexcept {
    switch (field) {
        case FontField::Angle: {
            std::int32_t angle = value % 3600;
            if (angle < 0) angle += 3600;
            font.setAngle(angle);
            break;
        }
        case FontField::Bold: font.setWeight(value != 0 ? 700 : 0); break;
        case FontField::Italic: font.setItalic(value != 0); break;
        case FontField::StrikeOut: font.setStrikeOut(value != 0); break;
        case FontField::Underline: font.setUnderline(value != 0); break;
        case FontField::Size: font.setHeight(heightFromSize(value, pixelsPerInch)); break;
        default: break;
    }
}

void writeFontFaceName(LogFontImage& font, std::string_view name) {
    const bool usable = !name.empty() && name.size() < LogFontImage::kFaceNameSize;
    font.setFaceName(usable ? name : kFallbackFaceName);
}

FontRecord readFontRecord(const LogFontImage& font, int pixelsPerInch) {
    FontRecord record;
    record.angle = font.escapement();
    record.bold = readFontNumber(font, FontField::Bold, pixelsPerInch) != 0;
    record.italic = font.italic();
    record.strikeOut = font.strikeOut();
    record.underline = font.underline();
    record.size = readFontNumber(font, FontField::Size, pixelsPerInch);
    record.faceName = font.faceName();
    return record;
}

void writeFontRecord(LogFontImage& font, const FontRecord& record, int pixelsPerInch) {
    writeFontNumber(font, FontField::Angle, record.angle, pixelsPerInch);
    writeFontNumber(font, FontField::Bold, record.bold ? 1 : 0, pixelsPerInch);
    writeFontNumber(font, FontField::Italic, record.italic ? 1 : 0, pixelsPerInch);
    writeFontNumber(font, FontField::StrikeOut, record.strikeOut ? 1 : 0, pixelsPerInch);
    writeFontNumber(font, FontField::Underline, record.underline ? 1 : 0, pixelsPerInch);
    writeFontNumber(font, FontField::Size, record.size, pixelsPerInch);
    // The whole-record form refuses one byte earlier than the single field.
    const bool usable = !record.faceName.empty() && record.faceName.size() < LogFontImage::kFaceNameSize - 1;
    font.setFaceName(usable ? std::string_view(record.faceName) : kFallbackFaceName);
}

}  // namespace veltrano
