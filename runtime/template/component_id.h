#pragma once

#include <cstdint>

namespace veltrano {

// Ids carry a kind in bits 24-27 and a serial number in the low 24 bits.
namespace id_kind {
inline constexpr std::uint32_t kWindow = 0x02000000;
inline constexpr std::uint32_t kComponent = 0x06000000;
}  // namespace id_kind

inline constexpr std::uint32_t kIdSerialMask = 0x00FFFFFF;
inline constexpr std::uint32_t kIdKindMask = 0x0F000000;
inline constexpr std::uint32_t kIdHighMask = 0xF0000000;
// Component ids with this in bits 28-31 name menu items.
inline constexpr std::uint32_t kMenuItemHighBits = 0x20000000;

constexpr bool isValidId(std::uint32_t id) noexcept {
    return (id & kIdSerialMask) != 0 && (id & kIdKindMask) != 0;
}

constexpr std::uint32_t idKind(std::uint32_t id) noexcept {
    return id & kIdKindMask;
}
constexpr std::uint32_t idSerial(std::uint32_t id) noexcept {
    return id & kIdSerialMask;
}

constexpr bool isWindowId(std::uint32_t id) noexcept {
    return isValidId(id) && idKind(id) == id_kind::kWindow;
}

constexpr bool isComponentId(std::uint32_t id) noexcept {
    return isValidId(id) && idKind(id) == id_kind::kComponent;
}

constexpr bool isMenuItemId(std::uint32_t id) noexcept {
    return idKind(id) == id_kind::kComponent && (id & kIdHighMask) == kMenuItemHighBits;
}

// The id for a serial number taken from the runtime's id counter; 0 when the
// serial does not fit into 24 bits or is 0, or the kind bits are missing.
constexpr std::uint32_t makeId(std::uint32_t kindBits, std::uint32_t serial) noexcept {
    if (serial == 0 || serial > kIdSerialMask || (kindBits & kIdKindMask) == 0) return 0;
    return (kindBits & (kIdKindMask | kIdHighMask)) | serial;
}

}  // namespace veltrano
