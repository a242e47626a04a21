#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace veltrano {

// The runtime numbers mouse pointers 0 to 14 (0 the class's own pointer,
// then arrow, cross, text beam, hourglass, four-way size, the four
// two-way sizes, up arrow, not allowed, arrow with hourglass, arrow with
// question mark, hand). A class works with the system's own cursor
// identifiers instead, the numbers it hands straight to the system to load
// a shared cursor, and keeps 0 for its own pointer. A code either side does
// not know passes unchanged, so a class's private codes survive a round trip.
std::uint32_t classPointerCode(std::uint32_t runtimeCode) noexcept;
std::uint32_t runtimePointerCode(std::uint32_t classCode) noexcept;

// A mouse-pointer block whose leading code is converted; a block shorter
// than the code is copied as it is. The source is never changed: it belongs
// to the caller or to the class.
std::vector<std::uint8_t> withClassPointerCode(std::span<const std::uint8_t> block);
std::vector<std::uint8_t> withRuntimePointerCode(std::span<const std::uint8_t> block);

}  // namespace veltrano
