#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "grid/model/cell_address.h"
#include "grid/model/cell_range.h"
#include "grid/model/grid_model.h"

namespace veltrano::grid {

// The clipboard's text form of a block of cells (code page 936, like the
// cells): the cells of a row separated by tabs, rows by "\r\n". Hidden rows
// and columns are left out. While selecting is allowed only selected cells
// and the focus cell give their text; the others stay empty fields, so the
// block keeps its shape. Without a selection the focus cell is copied;
// without a focus cell, nothing.
std::string clipboardText(const GridModel& model, const std::optional<CellRange>& selection);

struct PastedCell {
    CellAddress cell;
    std::wstring text;

    friend bool operator==(const PastedCell&, const PastedCell&) = default;
};

// The cells a pasted text fills from the first cell on: a tab moves one
// column right, a line break ("\r\n", "\r" or "\n") starts the next row at
// the first cell's column. A final line break ends the last row without
// starting another; any other text, even none, fills one more cell. Cells
// may lie beyond the grid's edge; the paste skips them.
std::vector<PastedCell> pastedCells(std::wstring_view text, CellAddress first);

}  // namespace veltrano::grid
