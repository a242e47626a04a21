#pragma once

#include <cstdint>
#include <vector>

#include "grid/model/cell_address.h"
#include "grid/model/grid_model.h"

namespace veltrano::grid {

struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool empty() const { return right <= left || bottom <= top; }
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

// Where rows and columns lie in the client area for one scroll position.
// Fixed rows and columns stay put; scrolled ones start after them at the
// first scrolled row and column shown, and those scrolled out lie before
// that edge (negative offsets), so a merged range keeps its true extent.
class GridGeometry {
public:
    GridGeometry(const GridModel& model, std::int32_t topRow, std::int32_t leftColumn, int clientWidth,
                 int clientHeight);

    int fixedHeight() const { return fixedHeight_; }
    int fixedWidth() const { return fixedWidth_; }
    int clientWidth() const { return clientWidth_; }
    int clientHeight() const { return clientHeight_; }
    // Right and bottom edge of the last row and column shown.
    int usedWidth() const;
    int usedHeight() const;

    int rowTop(std::int32_t row) const;
    int columnLeft(std::int32_t column) const;
    // The cell's own rectangle (no merge applied).
    PixelRect cellRect(std::int32_t row, std::int32_t column) const;
    // The rectangle a cell is drawn in: a merge anchor's whole range.
    PixelRect drawRect(std::int32_t row, std::int32_t column) const;
    // The part of the client area the cell's row and column kind may paint
    // in: scrolled cells stay out of the fixed strips.
    PixelRect paneOf(std::int32_t row, std::int32_t column) const;

    // The rows and columns at least partly inside the client area, fixed
    // ones first.
    std::vector<std::int32_t> visibleRows() const;
    std::vector<std::int32_t> visibleColumns() const;
    // Scrolled rows and columns that fit wholly after the fixed strip.
    std::int32_t fullyVisibleRows() const;
    std::int32_t fullyVisibleColumns() const;

    // The cell under a client point, or kNoCell.
    CellAddress cellAt(int x, int y) const;
    // The column whose right border lies within slack pixels of x in the
    // fixed rows, or -1; the same for rows within the fixed columns.
    std::int32_t columnBorderAt(int x, int y, int slack) const;
    std::int32_t rowBorderAt(int x, int y, int slack) const;

private:
    const GridModel& model_;
    std::int32_t topRow_;
    std::int32_t leftColumn_;
    int clientWidth_;
    int clientHeight_;
    // Running sums: rowStart_[r] is the height of rows 0..r-1.
    std::vector<std::int64_t> rowStart_;
    std::vector<std::int64_t> columnStart_;
    int fixedHeight_ = 0;
    int fixedWidth_ = 0;
};

}  // namespace veltrano::grid
