#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace veltrano::grid::file {

// A whole file read into memory. Its memory is not cleared before the read
// fills it: for a large table, clearing costs about as much as the read.
class FileBytes {
public:
    FileBytes() = default;
    // Room for size bytes, unset until filled through data().
    explicit FileBytes(std::size_t size) : bytes_(std::make_unique_for_overwrite<std::uint8_t[]>(size)), size_(size) {}
    explicit FileBytes(std::span<const std::uint8_t> bytes) : FileBytes(bytes.size()) {
        std::copy(bytes.begin(), bytes.end(), bytes_.get());
    }

    std::uint8_t* data() { return bytes_.get(); }
    const std::uint8_t* data() const { return bytes_.get(); }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    // Keeps the first size bytes, for a file that turned out shorter.
    void shrink(std::size_t size) { size_ = std::min(size, size_); }

    std::span<const std::uint8_t> span() const { return {bytes_.get(), size_}; }
    // Read as a span wherever bytes are taken.
    operator std::span<const std::uint8_t>() const { return span(); }
    const std::uint8_t* begin() const { return bytes_.get(); }
    const std::uint8_t* end() const { return bytes_.get() + size_; }

private:
    std::unique_ptr<std::uint8_t[]> bytes_;
    std::size_t size_ = 0;
};

}  // namespace veltrano::grid::file
