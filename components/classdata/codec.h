#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace veltrano::classdata {

// Class data of one component class: decode<XxxData>(bytes) reads every
// version the class accepts (fields a version lacks keep their defaults; an
// empty block is a component with all defaults; a newer version or truncated
// data yields nothing), encode(data) writes the newest version. Each class
// header declares its specialisation.
template <typename Data>
std::optional<Data> decode(std::span<const std::uint8_t> bytes);

// Little-endian reader with a sticky failure: after the first short read
// every further read does nothing and ok() stays false.
class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes) noexcept : bytes_(bytes) {}

    // The leading version word; fails when above `newest`.
    Reader& version(std::uint32_t newest, std::uint32_t& version) noexcept;
    Reader& u32(std::uint32_t& value) noexcept;
    Reader& i32(std::int32_t& value) noexcept;
    Reader& u16(std::uint16_t& value) noexcept;
    Reader& flag(bool& value) noexcept;
    // A 32-bit length and that many bytes; a length <= 0 is empty.
    Reader& text(std::string& value);
    Reader& bytes(std::vector<std::uint8_t>& value);
    // An optional trailing word: false, without failing the reader, when
    // fewer than 4 bytes are left.
    bool tryU32(std::uint32_t& value) noexcept;

    bool ok() const noexcept { return ok_; }
    std::size_t remaining() const noexcept { return bytes_.size() - position_; }
    void fail() noexcept { ok_ = false; }

private:
    std::optional<std::span<const std::uint8_t>> take(std::size_t count) noexcept;
    std::optional<std::span<const std::uint8_t>> counted() noexcept;

    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
    bool ok_ = true;
};

class Writer {
public:
    Writer& u32(std::uint32_t value);
    Writer& i32(std::int32_t value);
    Writer& u16(std::uint16_t value);
    Writer& flag(bool value);
    Writer& text(std::string_view value);
    Writer& bytes(std::span<const std::uint8_t> value);

    std::vector<std::uint8_t> take() { return std::move(out_); }

private:
    std::vector<std::uint8_t> out_;
};

}  // namespace veltrano::classdata
