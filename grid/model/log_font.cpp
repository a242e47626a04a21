#include "grid/model/log_font.h"

#include <algorithm>

namespace veltrano::grid {

std::optional<LogFont> LogFont::fromBytes(std::span<const std::uint8_t> bytes) {
    if (bytes.size() != kSize) {
        return std::nullopt;
    }
    LogFont font;
    std::copy(bytes.begin(), bytes.end(), font.editableBytes().begin());
    return font;
}

std::string LogFont::faceName() const {
    const auto* first = bytes().data() + kFaceNameOffset;
    const auto* last = first + kFaceNameSize;
    const auto* end = std::find(first, last, std::uint8_t{0});
    return std::string(first, end);
}

void LogFont::setFaceName(std::string_view name) {
    auto* field = editableBytes().data() + kFaceNameOffset;
    std::fill(field, field + kFaceNameSize, std::uint8_t{0});
    const std::size_t count = std::min(name.size(), kFaceNameSize - 1);
    for (std::size_t i = 0; i < count; ++i) {
        field[i] = static_cast<std::uint8_t>(name[i]);
    }
}

std::int32_t LogFont::intAt(std::size_t offset) const {
    const Bytes& held = bytes();
    const std::uint32_t value =
        static_cast<std::uint32_t>(held[offset]) | (static_cast<std::uint32_t>(held[offset + 1]) << 8) |
        (static_cast<std::uint32_t>(held[offset + 2]) << 16) | (static_cast<std::uint32_t>(held[offset + 3]) << 24);
    return static_cast<std::int32_t>(value);
}

void LogFont::setIntAt(std::size_t offset, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    Bytes& held = editableBytes();
    for (std::size_t i = 0; i < 4; ++i) {
        held[offset + i] = static_cast<std::uint8_t>(bits >> (8 * i));
    }
}

LogFont::Bytes& LogFont::editableBytes() {
    if (!shared_) {
        shared_ = std::make_shared<Bytes>();
    } else if (shared_.use_count() > 1) {
        shared_ = std::make_shared<Bytes>(*shared_);
    }
    return *shared_;
}

bool sameFont(const LogFont& a, const LogFont& b) {
    if (&a.bytes() == &b.bytes()) {
        return true;
    }
    const auto faceA = a.bytes().begin() + LogFont::kFaceNameOffset;
    const auto faceB = b.bytes().begin() + LogFont::kFaceNameOffset;
    const auto endA = std::find(faceA, faceA + LogFont::kFaceNameSize, std::uint8_t{0});
    const auto endB = std::find(faceB, faceB + LogFont::kFaceNameSize, std::uint8_t{0});
    return std::equal(faceA, endA, faceB, endB) && a.height() == b.height() && a.weight() == b.weight() &&
           a.italic() == b.italic() && a.underline() == b.underline() && a.strikeOut() == b.strikeOut();
}

}  // namespace veltrano::grid
