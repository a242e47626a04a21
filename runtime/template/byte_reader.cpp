#include "runtime/template/byte_reader.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "runtime/template/little_endian.h"

namespace veltrano {

BufferedByteReader::BufferedByteReader(std::span<const std::uint8_t> source) noexcept : source_(source) {}

std::size_t BufferedByteReader::remaining() const noexcept {
    return (bufferEnd_ - bufferPosition_) + (source_.size() - sourcePosition_);
}

std::size_t BufferedByteReader::position() const noexcept {
    return sourcePosition_ - (bufferEnd_ - bufferPosition_);
}

bool BufferedByteReader::ensure(std::size_t needed) noexcept {
    const std::size_t held = bufferEnd_ - bufferPosition_;
    if (held >= needed) return true;
    if (needed > kBufferSize || needed > remaining()) return false;
    if (held > 0 && bufferPosition_ > 0) std::memmove(buffer_.data(), buffer_.data() + bufferPosition_, held);
    bufferPosition_ = 0;
    bufferEnd_ = held;
    const std::size_t refill = std::min(kBufferSize - held, source_.size() - sourcePosition_);
    if (refill > 0) std::memcpy(buffer_.data() + held, source_.data() + sourcePosition_, refill);
    sourcePosition_ += refill;
    bufferEnd_ += refill;
    return bufferEnd_ >= needed;
}

bool BufferedByteReader::readU32(std::uint32_t& value) {
    if (!ensure(4)) return false;
    value = le::loadU32(buffer_.data() + bufferPosition_);
    bufferPosition_ += 4;
    return true;
}

bool BufferedByteReader::readI32(std::int32_t& value) {
    std::uint32_t raw = 0;
    if (!readU32(raw)) return false;
    value = le::asSigned(raw);
    return true;
}

bool BufferedByteReader::readBytes(std::size_t count, std::vector<std::uint8_t>& out) {
    if (count > remaining()) return false;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(count);
    std::size_t left = count;
    while (left > 0) {
        if (!ensure(std::min(left, kBufferSize))) return false;
        const std::size_t take = std::min(left, bufferEnd_ - bufferPosition_);
        const auto* first = buffer_.data() + bufferPosition_;
        bytes.insert(bytes.end(), first, first + take);
        bufferPosition_ += take;
        left -= take;
    }
    out = std::move(bytes);
    return true;
}

bool BufferedByteReader::readBlock(std::vector<std::uint8_t>& out) {
    std::int32_t length = 0;
    if (!readI32(length)) return false;
    if (length <= 0) {
        out.clear();
        return true;
    }
    return readBytes(static_cast<std::size_t>(length), out);
}

bool BufferedByteReader::readCountedText(std::string& out) {
    std::int32_t length = 0;
    if (!readI32(length) || length < 0) return false;
    std::vector<std::uint8_t> bytes;
    if (!readBytes(static_cast<std::size_t>(length), bytes)) return false;
    out.assign(bytes.begin(), bytes.end());
    return true;
}

}  // namespace veltrano
