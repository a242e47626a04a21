#pragma once

#include "runtime/kernel/library_command.h"

// The grid's commands in table order, in the library command convention;
// argument 0 is the grid component (window id, component id, class id).
namespace veltrano::grid_library {

void SaveFile(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments);
void LoadFile(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments);
void GetCellData(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments);
void SetCurrentCell(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments);
void SetColumnWidth(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments);
void SetAlignment(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments);
void SetCellData(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments);
void MergeCells(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments);
void ClearCells(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments);

// The nine commands above, in table order.
extern const LibraryCommand kGridCommands[9];

}  // namespace veltrano::grid_library
