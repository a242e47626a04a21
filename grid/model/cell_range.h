#pragma once

#include <cstdint>

namespace veltrano::grid {

// A block of cells, its edges included.
struct CellRange {
    std::int32_t top = 0;
    std::int32_t left = 0;
    std::int32_t bottom = 0;
    std::int32_t right = 0;

    friend bool operator==(const CellRange&, const CellRange&) = default;
};

}  // namespace veltrano::grid
