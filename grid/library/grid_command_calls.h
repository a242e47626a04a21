#pragma once

#include <cstdint>

#include "runtime/kernel/runtime_heap.h"
#include "runtime/values/type_codes.h"

namespace veltrano::grid {
class CGridCtrl;
}

namespace veltrano::grid_library {

// The grid's commands in table order (the order is how compiled calls
// address them).
enum class GridCommand : int {
    SaveFile = 0,
    LoadFile,
    GetCellData,
    SetCurrentCell,
    SetColumnWidth,
    SetAlignment,
    SetCellData,
    MergeCells,
    ClearCells,
};
inline constexpr int kGridCommandCount = 9;

// Runs a command on a grid already found from argument 0 (which is not read
// again); results that are texts or byte sets are allocated from heap.
void runGridCommand(GridCommand command, grid::CGridCtrl& grid, RuntimeHeap& heap, ValueTriple* result,
                    std::uint32_t count, const ValueTriple* arguments);

}  // namespace veltrano::grid_library
