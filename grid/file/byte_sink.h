#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace veltrano::grid::file {

// Where a table file's bytes go: a file, memory, or a test's failing writer.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    // False when not every byte could be written.
    virtual bool write(std::span<const std::uint8_t> bytes) = 0;
};

class VectorSink final : public ByteSink {
public:
    bool write(std::span<const std::uint8_t> bytes) override;
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    // Hands the bytes over without copying them; the sink is empty after.
    std::vector<std::uint8_t> take() { return std::move(bytes_); }
    // Empties the sink but keeps its memory for the next bytes.
    void clear() { bytes_.clear(); }

private:
    std::vector<std::uint8_t> bytes_;
};

inline void storeUint32(std::uint8_t* at, std::uint32_t value) {
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(at, &value, sizeof value);
        return;
    }
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
    at[2] = static_cast<std::uint8_t>(value >> 16);
    at[3] = static_cast<std::uint8_t>(value >> 24);
}

// Collects little-endian values and hands them to a sink in large pieces.
// The first failed write sticks: later values are dropped and ok() stays
// false.
class ByteWriter {
public:
    explicit ByteWriter(ByteSink& sink);

    void int32(std::int32_t value) { uint32(static_cast<std::uint32_t>(value)); }
    // Inline: a table file is mostly these values.
    void uint32(std::uint32_t value) {
        if (used_ + 4 > kBufferSize || !ok_) {
            appendSlowly(value);
            return;
        }
        storeUint32(buffer_.get() + used_, value);
        used_ += 4;
        written_ += 4;
    }
    // Room for a record of size bytes in one piece, which the caller fills
    // whole: one check for all its fields. Null when a write failed or the
    // record is larger than the buffer; the caller then writes it value by
    // value.
    std::uint8_t* room(std::size_t size) {
        const bool fits = used_ + size <= kBufferSize || (size <= kBufferSize && flush());
        if (!fits || !ok_) {
            return nullptr;
        }
        std::uint8_t* at = buffer_.get() + used_;
        used_ += size;
        written_ += size;
        return at;
    }
    void bytes(std::span<const std::uint8_t> bytes);
    // Cut to size, or padded with NUL bytes up to it.
    void fixedText(std::string_view text, std::size_t size);
    void zeros(std::size_t count);

    // Writes what is buffered; false when any write failed.
    bool flush();
    bool ok() const { return ok_; }
    // Bytes handed over so far, buffered or written.
    std::size_t written() const { return written_; }

private:
    void append(std::span<const std::uint8_t> bytes);
    void appendSlowly(std::uint32_t value);

    static constexpr std::size_t kBufferSize = 64 * 1024;

    ByteSink& sink_;
    // Filled up to used_; a file's worth of small values costs no more than
    // copying them.
    std::unique_ptr<std::uint8_t[]> buffer_;
    std::size_t used_ = 0;
    bool ok_ = true;
    std::size_t written_ = 0;
};

}  // namespace veltrano::grid::file
