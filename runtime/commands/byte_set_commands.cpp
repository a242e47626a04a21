#include "runtime/commands/byte_set_commands.h"

#include <limits>

namespace veltrano::commands {

std::int32_t ByteSetLength(std::span<const std::uint8_t> byteSet) noexcept {
    constexpr auto kMax = static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());
    return static_cast<std::int32_t>(byteSet.size() < kMax ? byteSet.size() : kMax);
}

std::vector<std::uint8_t> BlankByteSet(std::int32_t n) {
    if (n <= 0) return {};
    return std::vector<std::uint8_t>(static_cast<std::size_t>(n), 0);
}

std::vector<std::uint8_t> LeftBytes(std::span<const std::uint8_t> byteSet, std::int32_t n) {
    if (n <= 0) return {};
    const auto count = static_cast<std::size_t>(n) < byteSet.size() ? static_cast<std::size_t>(n) : byteSet.size();
    const auto kept = byteSet.first(count);
    return std::vector<std::uint8_t>(kept.begin(), kept.end());
}

}  // namespace veltrano::commands
