#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace veltrano {

// Sequential little-endian reader over a byte span that stages the bytes
// through a fixed buffer: every read step first makes sure the buffer holds
// what the step needs and refills it from the source otherwise. Reading past
// the end fails and leaves the output untouched; lengths taken from the data
// are checked against what is left before anything is allocated.
class BufferedByteReader {
public:
    static constexpr std::size_t kBufferSize = 4096;

    explicit BufferedByteReader(std::span<const std::uint8_t> source) noexcept;

    bool readU32(std::uint32_t& value);
    bool readI32(std::int32_t& value);
    // Exactly `count` bytes.
    bool readBytes(std::size_t count, std::vector<std::uint8_t>& out);
    // A 32-bit length L and L bytes; L <= 0 is an empty block.
    bool readBlock(std::vector<std::uint8_t>& out);
    // A 32-bit length and that many bytes, no terminator; a negative length fails.
    bool readCountedText(std::string& out);

    std::size_t remaining() const noexcept;
    std::size_t position() const noexcept;

private:
    bool ensure(std::size_t needed) noexcept;

    std::span<const std::uint8_t> source_;
    std::size_t sourcePosition_ = 0;
    std::array<std::uint8_t, kBufferSize> buffer_{};
    std::size_t bufferPosition_ = 0;
    std::size_t bufferEnd_ = 0;
};

}  // namespace veltrano
