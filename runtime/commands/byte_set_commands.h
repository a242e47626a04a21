#pragma once

#include <cstdint>
#include <span>
#include <vector>

// The core library's byte set commands; an empty result is the empty byte set.
namespace veltrano::commands {

std::int32_t ByteSetLength(std::span<const std::uint8_t> byteSet) noexcept;

// n zero bytes; n <= 0 gives the empty byte set.
std::vector<std::uint8_t> BlankByteSet(std::int32_t n);

// The first clamp(n, 0, length) bytes.
std::vector<std::uint8_t> LeftBytes(std::span<const std::uint8_t> byteSet, std::int32_t n);

}  // namespace veltrano::commands
