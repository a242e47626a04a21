#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace veltrano::le {

// Callers check bounds; these only assemble and split the bytes.
inline std::uint32_t loadU32(const std::uint8_t* bytes) noexcept {
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
           (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
}

inline std::uint16_t loadU16(const std::uint8_t* bytes) noexcept {
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

inline void storeU32(std::uint8_t* bytes, std::uint32_t value) noexcept {
    bytes[0] = static_cast<std::uint8_t>(value);
    bytes[1] = static_cast<std::uint8_t>(value >> 8);
    bytes[2] = static_cast<std::uint8_t>(value >> 16);
    bytes[3] = static_cast<std::uint8_t>(value >> 24);
}

inline void appendU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                                   static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
    out.insert(out.end(), bytes, bytes + 4);
}

inline void appendU16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline std::int32_t asSigned(std::uint32_t value) noexcept {
    return static_cast<std::int32_t>(value);
}

inline std::uint32_t asUnsigned(std::int32_t value) noexcept {
    return static_cast<std::uint32_t>(value);
}

}  // namespace veltrano::le
