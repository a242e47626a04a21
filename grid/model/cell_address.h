#pragma once

#include <cstdint>

namespace veltrano::grid {

struct CellAddress {
    std::int32_t row = -1;
    std::int32_t column = -1;

    friend bool operator==(const CellAddress&, const CellAddress&) = default;
};

inline constexpr CellAddress kNoCell{};

// Key of the selected-cell map. Rows above 0xFFFF share keys with lower rows;
// the map therefore stores the full address beside the key.
constexpr std::uint32_t selectionKey(CellAddress address) {
    return (static_cast<std::uint32_t>(address.column) << 16) | (static_cast<std::uint32_t>(address.row) & 0xFFFFu);
}

}  // namespace veltrano::grid
