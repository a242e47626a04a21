#include "grid/file/byte_sink.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace veltrano::grid::file {

bool VectorSink::write(std::span<const std::uint8_t> bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    return true;
}

ByteWriter::ByteWriter(ByteSink& sink) : sink_(sink), buffer_(std::make_unique<std::uint8_t[]>(kBufferSize)) {}

void ByteWriter::appendSlowly(std::uint32_t value) {
    std::array<std::uint8_t, 4> encoded{};
    storeUint32(encoded.data(), value);
    append(encoded);
}

void ByteWriter::bytes(std::span<const std::uint8_t> bytes) {
    append(bytes);
}

void ByteWriter::fixedText(std::string_view text, std::size_t size) {
    const std::size_t kept = std::min(text.size(), size);
    append(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), kept));
    zeros(size - kept);
}

void ByteWriter::zeros(std::size_t count) {
    static constexpr std::array<std::uint8_t, 256> kZeros{};
    while (count > 0) {
        const std::size_t piece = std::min(count, kZeros.size());
        append(std::span(kZeros.data(), piece));
        count -= piece;
    }
}

void ByteWriter::append(std::span<const std::uint8_t> bytes) {
    if (!ok_) {
        return;
    }
    written_ += bytes.size();
    if (used_ + bytes.size() > kBufferSize) {
        flush();
        if (!ok_) {
            return;
        }
        if (bytes.size() >= kBufferSize) {
            ok_ = sink_.write(bytes);
            return;
        }
    }
    if (!bytes.empty()) {
        std::memcpy(buffer_.get() + used_, bytes.data(), bytes.size());
        used_ += bytes.size();
    }
}

bool ByteWriter::flush() {
    if (ok_ && used_ > 0) {
        ok_ = sink_.write(std::span<const std::uint8_t>(buffer_.get(), used_));
    }
    used_ = 0;
    return ok_;
}

}  // namespace veltrano::grid::file
