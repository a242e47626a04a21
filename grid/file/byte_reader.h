#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace veltrano::grid::file {

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

    bool readInt32(std::int32_t& value);
    bool readUint32(std::uint32_t& value);
    bool readBytes(std::size_t count, std::span<const std::uint8_t>& bytes);
    // A NUL-padded field: the text ends at its first NUL or at the field's end.
    bool readFixedText(std::size_t size, std::string& text);

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

}  // namespace veltrano::grid::file
