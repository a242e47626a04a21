#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>

#include "runtime/template/little_endian.h"

namespace veltrano {

// Bounds-checked walk over one record's bytes, shared by the record parsers.
class RecordCursor {
public:
    explicit RecordCursor(std::span<const std::uint8_t> bytes) noexcept : bytes_(bytes) {}

    std::size_t position() const noexcept { return position_; }
    std::size_t remaining() const noexcept { return bytes_.size() - position_; }

    bool word(std::uint32_t& value) noexcept {
        if (remaining() < 4) return false;
        value = le::loadU32(bytes_.data() + position_);
        position_ += 4;
        return true;
    }

    bool signedWord(std::int32_t& value) noexcept {
        std::uint32_t raw = 0;
        if (!word(raw)) return false;
        value = le::asSigned(raw);
        return true;
    }

    bool skip(std::size_t count) noexcept {
        if (remaining() < count) return false;
        position_ += count;
        return true;
    }

    // A text ending in one zero byte; the view excludes the terminator.
    bool zeroText(std::string_view& text) noexcept {
        if (remaining() == 0) return false;
        const auto* first = bytes_.data() + position_;
        const void* zero = std::memchr(first, 0, remaining());
        if (zero == nullptr) return false;
        const auto length = static_cast<std::size_t>(static_cast<const std::uint8_t*>(zero) - first);
        text = std::string_view(reinterpret_cast<const char*>(first), length);
        position_ += length + 1;
        return true;
    }

    // A 32-bit length L and L bytes; L <= 0 is empty.
    bool block(std::span<const std::uint8_t>& contents) noexcept {
        std::int32_t length = 0;
        if (!signedWord(length)) return false;
        if (length <= 0) {
            contents = {};
            return true;
        }
        const auto count = static_cast<std::size_t>(length);
        if (remaining() < count) return false;
        contents = bytes_.subspan(position_, count);
        position_ += count;
        return true;
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

}  // namespace veltrano
