#include "file_bytes.h"

#include <algorithm>
#include <stdexcept>

namespace veltrano::grid::testing {

FileBytes& FileBytes::int32(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<std::uint8_t>(bits >> shift));
    }
    return *this;
}

FileBytes& FileBytes::ints(std::size_t count, std::int32_t value) {
    for (std::size_t i = 0; i < count; ++i) {
        int32(value);
    }
    return *this;
}

FileBytes& FileBytes::text(std::string_view text, std::size_t size) {
    const std::size_t kept = std::min(text.size(), size);
    bytes.insert(bytes.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(kept));
    bytes.insert(bytes.end(), size - kept, std::uint8_t{0});
    return *this;
}

FileBytes& FileBytes::raw(std::string_view raw) {
    bytes.insert(bytes.end(), raw.begin(), raw.end());
    return *this;
}

FileBytes oldVersionHeader(std::int32_t version, std::int32_t rows, std::int32_t columns, std::int32_t fixed,
                           const RecordCounts& counts) {
    FileBytes file;
    file.raw("QGRD").int32(version).int32(0);
    file.int32(rows).int32(columns).int32(fixed).int32(fixed).int32(20).int32(50);
    file.int32(0xC0C0C0).int32(0xFFFFFF).int32(0).int32(0).int32(3);
    file.ints(6, 1).int32(0).int32(1).int32(0xFFFFFF).int32(0xF0F0F0);
    const std::size_t present = version >= 4 ? 13 : 10 + static_cast<std::size_t>(version - 1);
    for (std::size_t index = 0; index < present; ++index) {
        file.int32(counts[index]);
    }
    if (version >= 5) {
        file.text("old text", 256).text("Face", 32).int32(1).int32(2).int32(3);
        file.ints(7, 33);
    }
    return file;
}

std::int32_t int32At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    if (offset + 4 > bytes.size()) {
        throw std::out_of_range("int32At past the end");
    }
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(bytes[offset + i]) << (8 * i);
    }
    return static_cast<std::int32_t>(value);
}

void putInt32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::int32_t value) {
    if (offset + 4 > bytes.size()) {
        throw std::out_of_range("putInt32 past the end");
    }
    const auto bits = static_cast<std::uint32_t>(value);
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<std::uint8_t>(bits >> (8 * i));
    }
}

}  // namespace veltrano::grid::testing
