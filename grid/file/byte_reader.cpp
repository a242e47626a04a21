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
