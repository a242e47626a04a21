#include "grid/file/byte_reader.h"

#include <algorithm>
#include <limits>

namespace veltrano::grid::file {

bool ByteReader::holds(std::uint64_t count, std::uint64_t size) const {
    if (size != 0 && count > std::numeric_limits<std::uint64_t>::max() / size) {
        return false;
    }
    return count * size <= remaining();
}

bool ByteReader::readUint32(std::uint32_t& value) {
    if (remaining() < 4) {
        return false;
    }
    const std::uint8_t* at = bytes_.data() + position_;
    value = static_cast<std::uint32_t>(at[0]) | (static_cast<std::uint32_t>(at[1]) << 8) |
            (static_cast<std::uint32_t>(at[2]) << 16) | (static_cast<std::uint32_t>(at[3]) << 24);
    position_ += 4;
    return true;
}

bool ByteReader::readInt32(std::int32_t& value) {
    std::uint32_t bits = 0;
    if (!readUint32(bits)) {
        return false;
    }
    value = static_cast<std::int32_t>(bits);
    return true;
}

bool ByteReader::readBytes(std::size_t count, std::span<const std::uint8_t>& bytes) {
    if (remaining() < count) {
        return false;
    }
    bytes = bytes_.subspan(position_, count);
    position_ += count;
    return true;
}

bool ByteReader::readFixedText(std::size_t size, std::string& text) {
    std::span<const std::uint8_t> field;
    if (!readBytes(size, field)) {
        return false;
    }
    const auto end = std::find(field.begin(), field.end(), std::uint8_t{0});
    text.assign(field.begin(), end);
    return true;
}

}  // namespace veltrano::grid::file
