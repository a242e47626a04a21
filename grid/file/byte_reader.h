#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>

namespace veltrano::grid::file {

inline std::uint32_t loadUint32(const std::uint8_t* at) {
    if constexpr (std::endian::native == std::endian::little) {
        std::uint32_t value = 0;
        std::memcpy(&value, at, sizeof value);
        return value;
    }
    return static_cast<std::uint32_t>(at[0]) | (static_cast<std::uint32_t>(at[1]) << 8) |
           (static_cast<std::uint32_t>(at[2]) << 16) | (static_cast<std::uint32_t>(at[3]) << 24);
}

// Little-endian reads over a byte span. Every read checks what is left and
// fails without moving when the span is too short.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::size_t position() const { return position_; }
    std::size_t remaining() const { return bytes_.size() - position_; }
    std::size_t size() const { return bytes_.size(); }

    // Whether count records of size bytes each are left, without overflow.
    bool holds(std::uint64_t count, std::uint64_t size) const;

    // Inline: a table file is mostly these reads.
    bool readUint32(std::uint32_t& value) {
        if (remaining() < 4) {
            return false;
        }
        value = loadUint32(bytes_.data() + position_);
        position_ += 4;
        return true;
    }
    bool readInt32(std::int32_t& value) {
        std::uint32_t bits = 0;
        if (!readUint32(bits)) {
            return false;
        }
        value = static_cast<std::int32_t>(bits);
        return true;
    }
    bool readBytes(std::size_t count, std::span<const std::uint8_t>& bytes) {
        if (remaining() < count) {
            return false;
        }
        bytes = bytes_.subspan(position_, count);
        position_ += count;
        return true;
    }
    // The next count bytes without moving past them, or null when fewer
    // are left: a whole record looked at with one check.
    const std::uint8_t* peek(std::size_t count) const {
        return remaining() < count ? nullptr : bytes_.data() + position_;
    }
    // Moves past bytes that peek() showed.
    void skip(std::size_t count) { position_ += count; }
    // A NUL-padded field: the text ends at its first NUL or at the field's end.
    bool readFixedText(std::size_t size, std::string& text);

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

}  // namespace veltrano::grid::file
