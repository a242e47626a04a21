#include "grid/control/grid_geometry.h"

#include <algorithm>

namespace veltrano::grid {
namespace {

// Far outside any client area, yet safe to add a row or column to.
constexpr std::int64_t kPositionLimit = 1 << 29;

int clampedPosition(std::int64_t value) {
    return static_cast<int>(std::clamp(value, -kPositionLimit, kPositionLimit));
}

std::vector<std::int64_t> runningSums(std::int32_t count, auto sizeOf) {
    std::vector<std::int64_t> sums(static_cast<std::size_t>(count) + 1, 0);
    for (std::int32_t index = 0; index < count; ++index) {
        sums[static_cast<std::size_t>(index) + 1] =
            sums[static_cast<std::size_t>(index)] + std::max<std::int32_t>(0, sizeOf(index));
    }
    return sums;
}

}  // namespace

GridGeometry::GridGeometry(const GridModel& model, std::int32_t topRow, std::int32_t leftColumn, int clientWidth,
                           int clientHeight)
    : model_(model),
      topRow_(std::clamp(topRow, model.fixedRowCount(), std::max(model.fixedRowCount(), model.rowCount()))),
      leftColumn_(
          std::clamp(leftColumn, model.fixedColumnCount(), std::max(model.fixedColumnCount(), model.columnCount()))),
      clientWidth_(clientWidth),
      clientHeight_(clientHeight),
      rowStart_(runningSums(model.rowCount(), [&model](std::int32_t row) { return model.rowHeight(row); })),
      columnStart_(
          runningSums(model.columnCount(), [&model](std::int32_t column) { return model.columnWidth(column); })) {
    fixedHeight_ =
        clampedPosition(rowStart_[static_cast<std::size_t>(std::min(model.fixedRowCount(), model.rowCount()))]);
    fixedWidth_ = clampedPosition(
        columnStart_[static_cast<std::size_t>(std::min(model.fixedColumnCount(), model.columnCount()))]);
}

int GridGeometry::rowTop(std::int32_t row) const {
    const auto at = static_cast<std::size_t>(std::clamp(row, 0, model_.rowCount()));
    if (row < model_.fixedRowCount()) return clampedPosition(rowStart_[at]);
    return clampedPosition(fixedHeight_ + rowStart_[at] - rowStart_[static_cast<std::size_t>(topRow_)]);
}

int GridGeometry::columnLeft(std::int32_t column) const {
    const auto at = static_cast<std::size_t>(std::clamp(column, 0, model_.columnCount()));
    if (column < model_.fixedColumnCount()) return clampedPosition(columnStart_[at]);
    return clampedPosition(fixedWidth_ + columnStart_[at] - columnStart_[static_cast<std::size_t>(leftColumn_)]);
}

int GridGeometry::usedWidth() const {
    return std::min(clientWidth_, std::max(fixedWidth_, columnLeft(model_.columnCount())));
}

int GridGeometry::usedHeight() const {
    return std::min(clientHeight_, std::max(fixedHeight_, rowTop(model_.rowCount())));
}

PixelRect GridGeometry::cellRect(std::int32_t row, std::int32_t column) const {
    if (!model_.isValid(row, column)) return {};
    return PixelRect{columnLeft(column), rowTop(row), columnLeft(column) + std::max(0, model_.columnWidth(column)),
                     rowTop(row) + std::max(0, model_.rowHeight(row))};
}

PixelRect GridGeometry::drawRect(std::int32_t row, std::int32_t column) const {
    PixelRect rect = cellRect(row, column);
    const Cell* cell = model_.cell(row, column);
    if (cell == nullptr || cell->mergeAnchor() == 0) return rect;
    for (const MergeRecord& merge : model_.merges()) {
        if (merge.anchorRow == row && merge.anchorColumn == column && model_.isValid(merge.bottom, merge.right)) {
            const PixelRect far = cellRect(merge.bottom, merge.right);
            rect.right = std::max(rect.right, far.right);
            rect.bottom = std::max(rect.bottom, far.bottom);
            break;
        }
    }
    return rect;
}

PixelRect GridGeometry::paneOf(std::int32_t row, std::int32_t column) const {
    PixelRect pane{0, 0, clientWidth_, clientHeight_};
    if (row < model_.fixedRowCount()) {
        pane.bottom = std::min(pane.bottom, fixedHeight_);
    } else {
        pane.top = fixedHeight_;
    }
    if (column < model_.fixedColumnCount()) {
        pane.right = std::min(pane.right, fixedWidth_);
    } else {
        pane.left = fixedWidth_;
    }
    return pane;
}

std::vector<std::int32_t> GridGeometry::visibleRows() const {
    std::vector<std::int32_t> rows;
    for (std::int32_t row = 0; row < model_.fixedRowCount() && row < model_.rowCount(); ++row) {
        if (rowTop(row) < clientHeight_) rows.push_back(row);
    }
    for (std::int32_t row = topRow_; row < model_.rowCount() && rowTop(row) < clientHeight_; ++row) {
        rows.push_back(row);
    }
    return rows;
}

std::vector<std::int32_t> GridGeometry::visibleColumns() const {
    std::vector<std::int32_t> columns;
    for (std::int32_t column = 0; column < model_.fixedColumnCount() && column < model_.columnCount(); ++column) {
        if (columnLeft(column) < clientWidth_) columns.push_back(column);
    }
    for (std::int32_t column = leftColumn_; column < model_.columnCount() && columnLeft(column) < clientWidth_;
         ++column) {
        columns.push_back(column);
    }
    return columns;
}

std::int32_t GridGeometry::fullyVisibleRows() const {
    std::int32_t count = 0;
    for (std::int32_t row = topRow_; row < model_.rowCount() && rowTop(row + 1) <= clientHeight_; ++row) ++count;
    return count;
}

std::int32_t GridGeometry::fullyVisibleColumns() const {
    std::int32_t count = 0;
    for (std::int32_t column = leftColumn_; column < model_.columnCount() && columnLeft(column + 1) <= clientWidth_;
         ++column) {
        ++count;
    }
    return count;
}

CellAddress GridGeometry::cellAt(int x, int y) const {
    CellAddress found = kNoCell;
    for (std::int32_t row : visibleRows()) {
        const int top = rowTop(row);
        if (y >= top && y < top + std::max(0, model_.rowHeight(row))) {
            found.row = row;
            break;
        }
    }
    for (std::int32_t column : visibleColumns()) {
        const int left = columnLeft(column);
        if (x >= left && x < left + std::max(0, model_.columnWidth(column))) {
            found.column = column;
            break;
        }
    }
    return (found.row < 0 || found.column < 0) ? kNoCell : found;
}

std::int32_t GridGeometry::columnBorderAt(int x, int y, int slack) const {
    if (y < 0 || y >= fixedHeight_) return -1;
    for (std::int32_t column : visibleColumns()) {
        const int edge = columnLeft(column) + std::max(0, model_.columnWidth(column));
        if (x >= edge - slack && x <= edge + slack) return column;
    }
    return -1;
}

std::int32_t GridGeometry::rowBorderAt(int x, int y, int slack) const {
    if (x < 0 || x >= fixedWidth_) return -1;
    for (std::int32_t row : visibleRows()) {
        const int edge = rowTop(row) + std::max(0, model_.rowHeight(row));
        if (y >= edge - slack && y <= edge + slack) return row;
    }
    return -1;
}

}  // namespace veltrano::grid
