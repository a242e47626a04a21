#include "runtime/dispatch/pointer_codes.h"

#include <algorithm>
#include <array>

#include "runtime/template/little_endian.h"

namespace veltrano {
namespace {

// Index: the runtime's code minus one; value: the system's identifier.
constexpr std::array<std::uint32_t, 14> kSystemCursorIds{
    32512,  // arrow
    32515,  // cross
    32513,  // text beam
    32514,  // hourglass
    32646,  // four-way size
    32643,  // size north-east/south-west
    32645,  // size north/south
    32642,  // size north-west/south-east
    32644,  // size west/east
    32516,  // up arrow
    32648,  // not allowed
    32650,  // arrow with hourglass
    32651,  // arrow with question mark
    32649,  // hand
};

constexpr std::size_t kCodeSize = 4;

std::vector<std::uint8_t> withLeadingCode(std::span<const std::uint8_t> block,
                                          std::uint32_t (*convert)(std::uint32_t) noexcept) {
    std::vector<std::uint8_t> copy(block.begin(), block.end());
    if (copy.size() >= kCodeSize) le::storeU32(copy.data(), convert(le::loadU32(copy.data())));
    return copy;
}

}  // namespace

std::uint32_t classPointerCode(std::uint32_t runtimeCode) noexcept {
    if (runtimeCode == 0 || runtimeCode > kSystemCursorIds.size()) return runtimeCode;
    return kSystemCursorIds[runtimeCode - 1];
}

std::uint32_t runtimePointerCode(std::uint32_t classCode) noexcept {
    const auto* found = std::find(kSystemCursorIds.begin(), kSystemCursorIds.end(), classCode);
    if (found == kSystemCursorIds.end()) return classCode;
    return static_cast<std::uint32_t>(found - kSystemCursorIds.begin()) + 1;
}

std::vector<std::uint8_t> withClassPointerCode(std::span<const std::uint8_t> block) {
    return withLeadingCode(block, &classPointerCode);
}

std::vector<std::uint8_t> withRuntimePointerCode(std::span<const std::uint8_t> block) {
    return withLeadingCode(block, &runtimePointerCode);
}

}  // namespace veltrano
