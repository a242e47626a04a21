#include "components/classdata/codec.h"

#include <utility>

#include "runtime/template/little_endian.h"

namespace veltrano::classdata {

std::optional<std::span<const std::uint8_t>> Reader::take(std::size_t count) noexcept {
    if (!ok_ || remaining() < count) {
        ok_ = false;
        return std::nullopt;
    }
    const auto part = bytes_.subspan(position_, count);
    position_ += count;
    return part;
}

Reader& Reader::version(std::uint32_t newest, std::uint32_t& version) noexcept {
    u32(version);
    if (ok_ && version > newest) ok_ = false;
    return *this;
}

Reader& Reader::u32(std::uint32_t& value) noexcept {
    if (const auto part = take(4)) value = le::loadU32(part->data());
    return *this;
}

Reader& Reader::i32(std::int32_t& value) noexcept {
    if (const auto part = take(4)) value = le::asSigned(le::loadU32(part->data()));
    return *this;
}

Reader& Reader::u16(std::uint16_t& value) noexcept {
    if (const auto part = take(2)) value = le::loadU16(part->data());
    return *this;
}

Reader& Reader::flag(bool& value) noexcept {
    if (const auto part = take(4)) value = le::loadU32(part->data()) != 0;
    return *this;
}

bool Reader::tryU32(std::uint32_t& value) noexcept {
    if (!ok_ || remaining() < 4) return false;
    u32(value);
    return true;
}

std::optional<std::span<const std::uint8_t>> Reader::counted() noexcept {
    const auto lengthWord = take(4);
    if (!lengthWord) return std::nullopt;
    const std::int32_t length = le::asSigned(le::loadU32(lengthWord->data()));
    if (length <= 0) return std::span<const std::uint8_t>{};
    return take(static_cast<std::size_t>(length));
}

Reader& Reader::text(std::string& value) {
    if (const auto part = counted()) value.assign(part->begin(), part->end());
    return *this;
}

Reader& Reader::bytes(std::vector<std::uint8_t>& value) {
    if (const auto part = counted()) value.assign(part->begin(), part->end());
    return *this;
}

Writer& Writer::u32(std::uint32_t value) {
    le::appendU32(out_, value);
    return *this;
}

Writer& Writer::i32(std::int32_t value) {
    le::appendU32(out_, le::asUnsigned(value));
    return *this;
}

Writer& Writer::u16(std::uint16_t value) {
    le::appendU16(out_, value);
    return *this;
}

Writer& Writer::flag(bool value) {
    le::appendU32(out_, value ? 1 : 0);
    return *this;
}

Writer& Writer::text(std::string_view value) {
    le::appendU32(out_, static_cast<std::uint32_t>(value.size()));
    out_.insert(out_.end(), value.begin(), value.end());
    return *this;
}

Writer& Writer::bytes(std::span<const std::uint8_t> value) {
    le::appendU32(out_, static_cast<std::uint32_t>(value.size()));
    out_.insert(out_.end(), value.begin(), value.end());
    return *this;
}

}  // namespace veltrano::classdata
