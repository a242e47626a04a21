#pragma once

#include <cstddef>
#include <vector>

#include "grid/model/cell.h"

namespace veltrano::grid {

// Where a grid keeps the cells that differ from its default cell: in blocks
// of many cells rather than one allocation each, so loading a large table
// costs a few allocations and little memory beyond the cells themselves.
// A cell keeps its address for as long as it is held; moving the pool
// moves the blocks, not the cells.
class CellPool {
public:
    CellPool() = default;
    CellPool(CellPool&&) noexcept = default;
    CellPool& operator=(CellPool&&) noexcept = default;
    CellPool(const CellPool&) = delete;
    CellPool& operator=(const CellPool&) = delete;

    // A cell equal to initial.
    Cell* acquire(const Cell& initial);
    // Gives the cell back; its text and picture are released at once.
    void release(Cell* cell);

    std::size_t heldCount() const { return held_; }

private:
    static constexpr std::size_t kBlockCells = 512;

    // Each block is reserved once and never grows past it, so its cells
    // never move, not even when the list of blocks does.
    std::vector<std::vector<Cell>> blocks_;
    std::vector<Cell*> free_;
    std::size_t held_ = 0;
};

}  // namespace veltrano::grid
