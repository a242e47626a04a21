#include "grid/model/grid_model.h"

#include <algorithm>

namespace veltrano::grid {

GridModel::GridModel() = default;
GridModel::GridModel(GridModel&&) noexcept = default;
GridModel& GridModel::operator=(GridModel&&) noexcept = default;
GridModel::~GridModel() = default;

GridModel GridModel::emptyLike() const {
    GridModel fresh;
    fresh.defaultRowHeight_ = defaultRowHeight_;
    fresh.defaultColumnWidth_ = defaultColumnWidth_;
    fresh.defaultCell_.shareExtrasOf(defaultCell_);
    fresh.settings_ = settings_;
    fresh.modified_ = true;
    return fresh;
}

bool GridModel::setRowCount(std::int32_t count) {
    if (count < 0 || count > kMaxDimension || static_cast<std::int64_t>(count) * columnCount_ > kMaxCellCount) {
        return false;
    }
    if (count == rowCount_) {
        return true;
    }
    if (count < rowCount_) {
        forgetOutside(count, columnCount_);
        releaseCells(static_cast<std::size_t>(count) * static_cast<std::size_t>(columnCount_), cells_.size());
    }
    cells_.resize(static_cast<std::size_t>(count) * static_cast<std::size_t>(columnCount_));
    rowHeights_.resize(static_cast<std::size_t>(count), defaultRowHeight_);
    rowCount_ = count;
    fixedRowCount_ = std::min(fixedRowCount_, count);
    applyAlternateColouring();
    return true;
}

bool GridModel::setColumnCount(std::int32_t count) {
    if (count < 0 || count > kMaxDimension || static_cast<std::int64_t>(count) * rowCount_ > kMaxCellCount) {
        return false;
    }
    if (count == columnCount_) {
        return true;
    }
    if (count < columnCount_) {
        forgetOutside(rowCount_, count);
    }
    std::vector<Cell*> resized(static_cast<std::size_t>(rowCount_) * static_cast<std::size_t>(count), nullptr);
    const std::int32_t kept = std::min(count, columnCount_);
    for (std::int32_t row = 0; row < rowCount_; ++row) {
        for (std::int32_t column = 0; column < columnCount_; ++column) {
            Cell*& held = cells_[indexOf(row, column)];
            if (column < kept) {
                resized[static_cast<std::size_t>(row) * static_cast<std::size_t>(count) +
                        static_cast<std::size_t>(column)] = held;
            } else {
                pool_.release(held);
            }
            held = nullptr;
        }
    }
    cells_ = std::move(resized);
    columnWidths_.resize(static_cast<std::size_t>(count), defaultColumnWidth_);
    columnCount_ = count;
    fixedColumnCount_ = std::min(fixedColumnCount_, count);
    applyAlternateColouring();
    return true;
}

bool GridModel::setFixedRowCount(std::int32_t count) {
    if (count < 0 || (count > rowCount_ && !setRowCount(count))) {
        return false;
    }
    fixedRowCount_ = count;
    applyAlternateColouring();
    return true;
}

bool GridModel::setFixedColumnCount(std::int32_t count) {
    if (count < 0 || (count > columnCount_ && !setColumnCount(count))) {
        return false;
    }
    fixedColumnCount_ = count;
    applyAlternateColouring();
    return true;
}

std::int32_t GridModel::rowHeight(std::int32_t row) const {
    if (row < 0 || row >= rowCount_) {
        return -1;
    }
    return rowHeights_[static_cast<std::size_t>(row)];
}

std::int32_t GridModel::columnWidth(std::int32_t column) const {
    if (column < 0 || column >= columnCount_) {
        return -1;
    }
    return columnWidths_[static_cast<std::size_t>(column)];
}

bool GridModel::setRowHeight(std::int32_t row, std::int32_t height) {
    if (row < 0 || row >= rowCount_ || height < 0) {
        return false;
    }
    rowHeights_[static_cast<std::size_t>(row)] = height;
    return true;
}

bool GridModel::setColumnWidth(std::int32_t column, std::int32_t width, bool force) {
    if (column < 0 || column >= columnCount_ || width < 0) {
        return false;
    }
    if (!force) {
        width = std::max(width, minimumColumnWidth());
    }
    columnWidths_[static_cast<std::size_t>(column)] = width;
    return true;
}

void GridModel::setAlternateColouring(const AlternateColouring& colouring) {
    settings_.alternate = colouring;
    applyAlternateColouring();
}

void GridModel::applyAlternateColouring() {
    const AlternateColouring& colouring = settings_.alternate;
    if (!colouring.on) {
        return;
    }
    for (std::int32_t row = fixedRowCount_; row < rowCount_; ++row) {
        for (std::int32_t column = fixedColumnCount_; column < columnCount_; ++column) {
            const std::int32_t index = colouring.byRows ? row : column;
            setBackgroundColour(row, column, index % 2 == 0 ? colouring.evenColour : colouring.oddColour);
        }
    }
}

void GridModel::setGridFont(const LogFont& font, const FontMetrics& metrics) {
    const Cell previous = defaultCell_;
    defaultCell_.setFont(font);
    for (Cell* held : cells_) {
        if (held == nullptr) {
            continue;
        }
        // Most cells still share the default cell's record: they take the
        // new one whole instead of each copying the old.
        if (held->sharesExtrasWith(previous)) {
            held->shareExtrasOf(defaultCell_);
        } else if (sameFont(held->font(), previous.font())) {
            held->setFont(font);
        }
    }
    defaultRowHeight_ = metrics.externalLeading + metrics.textHeight / 4 + metrics.textHeight;
    defaultColumnWidth_ = 2 * (metrics.spaceWidth + 6 * metrics.averageCharWidth);
}

const ColumnType* GridModel::columnType(std::int32_t column) const {
    const auto found = std::find_if(columnTypes_.begin(), columnTypes_.end(),
                                    [column](const ColumnType& type) { return type.column == column; });
    return found == columnTypes_.end() ? nullptr : &*found;
}

ColumnKind GridModel::columnKind(std::int32_t column) const {
    const ColumnType* type = columnType(column);
    return type ? type->kind : ColumnKind::PlainText;
}

bool GridModel::isNumericColumn(std::int32_t column) const {
    const ColumnKind kind = columnKind(column);
    return kind == ColumnKind::Number || kind == ColumnKind::UnitNumber;
}

std::int32_t GridModel::decimals(std::int32_t column) const {
    const ColumnType* type = columnType(column);
    return type ? type->decimals : -1;
}

std::string GridModel::unitText(std::int32_t column) const {
    const ColumnType* type = columnType(column);
    if (!type || type->kind != ColumnKind::UnitNumber) {
        return {};
    }
    return type->unitText;
}

void GridModel::addMerge(const MergeRecord& merge) {
    merges_.push_back(merge);
    setMergeAnchor(merge.anchorRow, merge.anchorColumn, 1);
    // Clipped to the grid: a record may describe cells that do not exist.
    const std::int32_t top = std::max(merge.top, 0);
    const std::int32_t left = std::max(merge.left, 0);
    const std::int32_t bottom = std::min(merge.bottom, rowCount_ - 1);
    const std::int32_t right = std::min(merge.right, columnCount_ - 1);
    for (std::int32_t row = top; row <= bottom; ++row) {
        for (std::int32_t column = left; column <= right; ++column) {
            if (row == merge.anchorRow && column == merge.anchorColumn) {
                continue;
            }
            Cell* covered = editableCell(row, column);
            covered->state |= kStateCovered;
        }
    }
}

void GridModel::removeMergesWithAnchor(std::int32_t row, std::int32_t column) {
    std::erase_if(merges_, [row, column](const MergeRecord& merge) {
        return merge.anchorRow == row && merge.anchorColumn == column;
    });
}

void GridModel::propagateMergeAttributes() {
    for (const MergeRecord& merge : merges_) {
        const Cell* anchorCell = cell(merge.anchorRow, merge.anchorColumn);
        if (!anchorCell) {
            continue;
        }
        const Cell anchor = *anchorCell;
        const std::int32_t top = std::max(merge.top, 0);
        const std::int32_t left = std::max(merge.left, 0);
        const std::int32_t bottom = std::min(merge.bottom, rowCount_ - 1);
        const std::int32_t right = std::min(merge.right, columnCount_ - 1);
        for (std::int32_t row = top; row <= bottom; ++row) {
            for (std::int32_t column = left; column <= right; ++column) {
                if (row == merge.anchorRow && column == merge.anchorColumn) {
                    continue;
                }
                Cell* target = editableCell(row, column);
                target->setFont(anchor.font());
                target->backgroundColour = anchor.backgroundColour;
                target->textColour = anchor.textColour;
                target->format = anchor.format;
                target->setAttributeB(anchor.attributeB());
                target->setMasked(anchor.masked());
            }
        }
    }
}

void GridModel::setFocusCell(CellAddress address) {
    if (Cell* previous = isValid(focus_) ? editableCell(focus_.row, focus_.column) : nullptr) {
        previous->state &= ~kStateFocused;
    }
    if (!isValid(address)) {
        focus_ = kNoCell;
        return;
    }
    editableCell(address.row, address.column)->state |= kStateFocused;
    focus_ = address;
}

void GridModel::clearSelection() {
    for (const auto& [key, address] : selected_) {
        if (Cell* held = editableCell(address.row, address.column)) {
            held->state &= ~kStateSelected;
        }
    }
    selected_.clear();
    setFocusCell(kNoCell);
}

bool GridModel::selectRange(std::int32_t top, std::int32_t left, std::int32_t bottom, std::int32_t right) {
    if (!isValid(top, left) || !isValid(bottom, right) || bottom < top || right < left) {
        return false;
    }
    for (std::int32_t row = top; row <= bottom; ++row) {
        for (std::int32_t column = left; column <= right; ++column) {
            setState(row, column, cell(row, column)->state | kStateSelected);
        }
    }
    return true;
}

bool GridModel::isSelected(std::int32_t row, std::int32_t column) const {
    const CellAddress address{row, column};
    const auto [first, last] = selected_.equal_range(selectionKey(address));
    return std::any_of(first, last, [address](const auto& entry) { return entry.second == address; });
}

void GridModel::trackSelection(CellAddress address, bool selected) {
    const auto [first, last] = selected_.equal_range(selectionKey(address));
    const auto found = std::find_if(first, last, [address](const auto& entry) { return entry.second == address; });
    if (selected && found == last) {
        selected_.emplace(selectionKey(address), address);
    } else if (!selected && found != last) {
        selected_.erase(found);
    }
}

void GridModel::forgetOutside(std::int32_t rows, std::int32_t columns) {
    const auto outside = [rows, columns](const MergeRecord& merge) {
        return merge.bottom >= rows || merge.right >= columns || merge.anchorRow >= rows ||
               merge.anchorColumn >= columns;
    };
    for (const MergeRecord& merge : merges_) {
        if (!outside(merge)) {
            continue;
        }
        if (merge.anchorRow < rows && merge.anchorColumn < columns) {
            setMergeAnchor(merge.anchorRow, merge.anchorColumn, 0);
        }
        const std::int32_t bottom = std::min({merge.bottom, rows - 1, rowCount_ - 1});
        const std::int32_t right = std::min({merge.right, columns - 1, columnCount_ - 1});
        for (std::int32_t row = std::max(merge.top, 0); row <= bottom; ++row) {
            for (std::int32_t column = std::max(merge.left, 0); column <= right; ++column) {
                editableCell(row, column)->state &= ~kStateCovered;
            }
        }
    }
    std::erase_if(merges_, outside);
    for (auto entry = selected_.begin(); entry != selected_.end();) {
        const CellAddress address = entry->second;
        entry = (address.row >= rows || address.column >= columns) ? selected_.erase(entry) : std::next(entry);
    }
    if (focus_.row >= rows || focus_.column >= columns) {
        focus_ = kNoCell;
    }
}

}  // namespace veltrano::grid
