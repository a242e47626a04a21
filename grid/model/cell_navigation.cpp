#include "grid/model/cell_navigation.h"

#include <algorithm>

namespace veltrano::grid {
namespace {

// A focus move to a cell, or none when the cell lies outside the grid (a
// search that found nothing gives -1).
std::optional<FocusMove> moveTo(const GridModel& model, std::int32_t row, std::int32_t column, bool extend) {
    const CellAddress target{row, column};
    if (!model.isValid(target)) return std::nullopt;
    return FocusMove{target, extend};
}

// Tab walks the scrolled cells row by row and never extends the selection.
std::optional<FocusMove> tabTarget(const GridModel& model, CellAddress focus, bool backwards) {
    if (backwards) {
        const std::int32_t column = nextColumn(model, focus.column, Step::Back);
        if (column >= 0) return moveTo(model, focus.row, column, false);
        const std::int32_t row = nextRow(model, focus.row, Step::Back);
        if (row >= 0) return moveTo(model, row, lastScrolledColumn(model), false);
        return std::nullopt;
    }
    const std::int32_t column = nextColumn(model, farCorner(model, focus).column, Step::Forward);
    if (column >= 0) return moveTo(model, focus.row, column, false);
    const std::int32_t row = nextRow(model, focus.row, Step::Forward);
    if (row >= 0) return moveTo(model, row, firstScrolledColumn(model), false);
    return std::nullopt;
}

std::optional<FocusMove> enterTarget(const GridModel& model, CellAddress focus, bool extend, std::int32_t enterMode) {
    if (enterMode == kEnterMovesAcross) {
        const std::int32_t column = nextColumn(model, farCorner(model, focus).column, Step::Forward);
        if (column >= 0) return moveTo(model, focus.row, column, extend);
        return moveTo(model, nextRow(model, focus.row, Step::Forward), firstScrolledColumn(model), extend);
    }
    if (enterMode == kEnterMovesDown) {
        const std::int32_t row = nextRow(model, farCorner(model, focus).row, Step::Forward);
        if (row >= 0) return moveTo(model, row, focus.column, extend);
        // Past the last row the focus goes on at the top of the next column.
        const std::int32_t column = nextColumn(model, focus.column, Step::Forward);
        if (column >= 0) return moveTo(model, nextRow(model, model.fixedRowCount() - 1, Step::Forward), column, extend);
    }
    return std::nullopt;
}

std::optional<FocusMove> pageTarget(const GridModel& model, CellAddress focus, std::int32_t pagedRows, bool extend) {
    // Not std::clamp: in a grid of fixed rows only the bounds cross, and
    // the last row wins.
    const std::int64_t wanted = std::int64_t{focus.row} + pagedRows;
    const std::int64_t row =
        std::min<std::int64_t>(std::max<std::int64_t>(wanted, model.fixedRowCount()), model.rowCount() - 1);
    return moveTo(model, static_cast<std::int32_t>(row), focus.column, extend);
}

}  // namespace

std::int32_t nextColumn(const GridModel& model, std::int32_t column, Step step) {
    const int delta = static_cast<int>(step);
    for (std::int64_t next = std::int64_t{column} + delta;
         next >= model.fixedColumnCount() && next < model.columnCount(); next += delta) {
        if (model.columnWidth(static_cast<std::int32_t>(next)) > 0) return static_cast<std::int32_t>(next);
    }
    return -1;
}

std::int32_t nextRow(const GridModel& model, std::int32_t row, Step step) {
    const int delta = static_cast<int>(step);
    for (std::int64_t next = std::int64_t{row} + delta; next >= model.fixedRowCount() && next < model.rowCount();
         next += delta) {
        if (model.rowHeight(static_cast<std::int32_t>(next)) > 0) return static_cast<std::int32_t>(next);
    }
    return -1;
}

std::int32_t firstScrolledColumn(const GridModel& model) {
    return nextColumn(model, model.fixedColumnCount() - 1, Step::Forward);
}

std::int32_t lastScrolledColumn(const GridModel& model) {
    return nextColumn(model, model.columnCount(), Step::Back);
}

CellAddress farCorner(const GridModel& model, CellAddress cell) {
    for (const MergeRecord& merge : model.merges()) {
        if (merge.anchorRow == cell.row && merge.anchorColumn == cell.column) {
            return CellAddress{merge.bottom, merge.right};
        }
    }
    return cell;
}

CellAddress anchorOf(const GridModel& model, CellAddress cell) {
    const Cell* held = model.cell(cell.row, cell.column);
    if (held == nullptr || (held->state & kStateCovered) == 0) return cell;
    for (const MergeRecord& merge : model.merges()) {
        if (merge.contains(cell.row, cell.column)) return CellAddress{merge.anchorRow, merge.anchorColumn};
    }
    return cell;
}

std::optional<FocusMove> navigationTarget(const GridModel& model, CellAddress focus, const NavigationRequest& request,
                                          const NavigationRules& rules) {
    if (!model.isValid(focus)) return std::nullopt;
    const bool wholeRow = rules.wholeRowSelection;
    const bool extend = request.shift;
    switch (request.key) {
        case NavigationKey::Tab:
            if (wholeRow) return std::nullopt;
            return tabTarget(model, focus, request.shift);
        case NavigationKey::Enter:
            if (wholeRow) return std::nullopt;
            return enterTarget(model, focus, extend, rules.enterMode);
        case NavigationKey::PageUp:
        case NavigationKey::PageDown: return pageTarget(model, focus, request.pagedRows, extend);
        case NavigationKey::Home:
        case NavigationKey::End: {
            const bool home = request.key == NavigationKey::Home;
            const std::int32_t column = home ? firstScrolledColumn(model) : lastScrolledColumn(model);
            std::int32_t row = focus.row;
            if (request.control) {
                row = home ? nextRow(model, model.fixedRowCount() - 1, Step::Forward)
                           : nextRow(model, model.rowCount(), Step::Back);
            }
            return moveTo(model, row, column, extend);
        }
        case NavigationKey::Left:
            if (wholeRow) return std::nullopt;
            return moveTo(model, focus.row, nextColumn(model, focus.column, Step::Back), extend);
        case NavigationKey::Right:
            if (wholeRow) return std::nullopt;
            return moveTo(model, focus.row, nextColumn(model, farCorner(model, focus).column, Step::Forward), extend);
        case NavigationKey::Up: return moveTo(model, nextRow(model, focus.row, Step::Back), focus.column, extend);
        case NavigationKey::Down:
            return moveTo(model, nextRow(model, farCorner(model, focus).row, Step::Forward), focus.column, extend);
    }
    return std::nullopt;
}

}  // namespace veltrano::grid
