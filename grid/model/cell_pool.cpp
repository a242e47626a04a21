#include "grid/model/cell_pool.h"

namespace veltrano::grid {

Cell* CellPool::acquire(const Cell& initial) {
    if (!free_.empty()) {
        Cell* reused = free_.back();
        free_.pop_back();
        *reused = initial;
        ++held_;
        return reused;
    }
    if (blocks_.empty() || blocks_.back().size() == kBlockCells) {
        blocks_.emplace_back().reserve(kBlockCells);
    }
    std::vector<Cell>& block = blocks_.back();
    block.push_back(initial);
    ++held_;
    return &block.back();
}

void CellPool::release(Cell* cell) {
    if (!cell) {
        return;
    }
    *cell = Cell{};
    free_.push_back(cell);
    --held_;
}

}  // namespace veltrano::grid
