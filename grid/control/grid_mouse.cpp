// The grid's mouse: resizing rows and columns by their borders, selecting
// by dragging, clicks and double clicks on cells, and the title tip.
#include <algorithm>
#include <utility>

#include "grid/control/grid_ctrl.h"
#include "grid/control/grid_painter.h"
#include "grid/control/key_state.h"
#include "grid/control/title_tip.h"

namespace veltrano::grid {
namespace {

constexpr int kResizeSlack = 3;

}  // namespace

void CGridCtrl::onLeftButtonDown(POINT point) {
    if (GetFocus() != handle()) SetFocus(handle());
    const GridGeometry layout = geometry();
    if (model_.settings().columnsResizable) {
        const std::int32_t column = layout.columnBorderAt(point.x, point.y, kResizeSlack);
        if (column >= 0) {
            resizingColumn_ = column;
            resizeOrigin_ = point.x;
            resizeStartSize_ = model_.columnWidth(column);
            SetCapture(handle());
            return;
        }
    }
    if (model_.settings().rowsResizable) {
        const std::int32_t row = layout.rowBorderAt(point.x, point.y, kResizeSlack);
        if (row >= 0) {
            resizingRow_ = row;
            resizeOrigin_ = point.y;
            resizeStartSize_ = model_.rowHeight(row);
            SetCapture(handle());
            return;
        }
    }
    const CellAddress cell = layout.cellAt(point.x, point.y);
    if (!model_.isValid(cell)) return;
    const bool fixedRow = model_.isFixedRow(cell.row);
    const bool fixedColumn = model_.isFixedColumn(cell.column);
    if (fixedRow || fixedColumn) {
        if (design_.fixedCellClickSelects && model_.settings().selectionAllowed && !(fixedRow && fixedColumn)) {
            const std::int32_t top = fixedRow ? model_.fixedRowCount() : cell.row;
            const std::int32_t bottom = fixedRow ? model_.rowCount() - 1 : cell.row;
            const std::int32_t left = fixedColumn ? model_.fixedColumnCount() : cell.column;
            const std::int32_t right = fixedColumn ? model_.columnCount() - 1 : cell.column;
            if (model_.isValid(top, left) && model_.isValid(bottom, right)) {
                const CellAddress previous = model_.focusCell();
                model_.clearSelection();
                model_.selectRange(top, left, bottom, right);
                selection_ = CellRange{top, left, bottom, right};
                model_.setFocusCell(CellAddress{top, left});
                if (previous != model_.focusCell()) fireEvent(grid_event::kFocusChanged);
                redraw();
            }
        }
        return;
    }
    const CellAddress target = anchorOf(model_, cell);
    if (model_.isCheckBoxColumn(target.column)) {
        moveFocus(target, false);
        toggleCheck(target.row, target.column);
        return;
    }
    if (target == model_.focusCell() && !keyHeld(VK_SHIFT)) {
        beginEdit(target.row, target.column, 0);
        return;
    }
    moveFocus(target, keyHeld(VK_SHIFT));
    mouseSelecting_ = true;
    SetCapture(handle());
}

void CGridCtrl::onMouseMove(POINT point, WPARAM buttons) {
    if (resizingColumn_ >= 0) {
        model_.setColumnWidth(resizingColumn_,
                              std::max(0, resizeStartSize_ + static_cast<int>(point.x) - resizeOrigin_), false);
        updateScrollBars();
        redraw();
        return;
    }
    if (resizingRow_ >= 0) {
        model_.setRowHeight(resizingRow_, std::max(0, resizeStartSize_ + static_cast<int>(point.y) - resizeOrigin_));
        updateScrollBars();
        redraw();
        return;
    }
    const GridGeometry layout = geometry();
    if (mouseSelecting_ && (buttons & MK_LBUTTON) != 0) {
        const CellAddress cell = layout.cellAt(point.x, point.y);
        if (model_.isValid(cell) && !model_.isFixedRow(cell.row) && !model_.isFixedColumn(cell.column) &&
            model_.settings().selectionAllowed && selectionStart_.row >= 0) {
            model_.clearSelection();
            selection_ =
                CellRange{std::min(selectionStart_.row, cell.row), std::min(selectionStart_.column, cell.column),
                          std::max(selectionStart_.row, cell.row), std::max(selectionStart_.column, cell.column)};
            model_.selectRange(selection_->top, selection_->left, selection_->bottom, selection_->right);
            model_.setFocusCell(selectionStart_);
            redraw();
        }
        return;
    }
    const bool onColumnBorder =
        model_.settings().columnsResizable && layout.columnBorderAt(point.x, point.y, kResizeSlack) >= 0;
    const bool onRowBorder = model_.settings().rowsResizable && layout.rowBorderAt(point.x, point.y, kResizeSlack) >= 0;
    if (onColumnBorder || onRowBorder) {
        SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(onColumnBorder ? IDC_SIZEWE : IDC_SIZENS)));
        return;
    }
    offerTitleTip(point, layout);
}

void CGridCtrl::offerTitleTip(POINT point, const GridGeometry& layout) {
    // The tip takes the mouse capture; it must not take it from an edit, a
    // drag or another window, nor show while the program is in the back.
    if (editing() || mouseSelecting_ || GetCapture() != nullptr || GetFocus() == nullptr) return;
    const CellAddress cell = anchorOf(model_, layout.cellAt(point.x, point.y));
    const Cell* held = model_.cell(cell.row, cell.column);
    if (held == nullptr || held->picture() || (held->format & DT_WORDBREAK) != 0) return;
    if (model_.isCheckBoxColumn(cell.column) && !model_.isFixedRow(cell.row)) return;
    const std::optional<std::wstring> text = shownText(model_, cell.row, cell.column, *held);
    if (!text || text->empty()) return;

    // A cell with no colours of its own gets the system's tip colours; one
    // with any of its own keeps its whole look, so text and background
    // always come from the same scheme.
    TitleTip::Look look;
    look.font = held->font();
    if (held->textColour == kDefaultColour && held->backgroundColour == kDefaultColour) {
        look.text = GetSysColor(COLOR_INFOTEXT);
        look.background = GetSysColor(COLOR_INFOBK);
    } else {
        const bool fixed = model_.isFixedRow(cell.row) || model_.isFixedColumn(cell.column);
        look.text = held->textColour != kDefaultColour
                        ? held->textColour
                        : (fixed ? GetSysColor(COLOR_WINDOWTEXT) : model_.settings().defaultTextColour);
        look.background = held->backgroundColour != kDefaultColour
                              ? held->backgroundColour
                              : (fixed ? controlBackground() : model_.settings().defaultBackgroundColour);
    }
    const PixelRect rect = layout.drawRect(cell.row, cell.column);
    POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
    MapWindowPoints(handle(), nullptr, corners, 2);
    if (!titleTip_) titleTip_ = std::make_unique<TitleTip>(handle());
    titleTip_->show(RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y}, *text, look);
}

void CGridCtrl::onLeftButtonUp(POINT point) {
    if (GetCapture() == handle()) ReleaseCapture();
    mouseSelecting_ = false;
    if (resizingColumn_ >= 0) {
        const std::int32_t column = std::exchange(resizingColumn_, -1);
        fireEvent(grid_event::kColumnResized, {grid_event::word(column)});
    }
    resizingRow_ = -1;
    if (std::exchange(suppressNextRelease_, false)) return;
    fireEvent(grid_event::kMouseReleased, {grid_event::word(point.x), grid_event::word(point.y)});
    const CellAddress cell = geometry().cellAt(point.x, point.y);
    if (model_.isValid(cell) && (model_.isFixedRow(cell.row) || model_.isFixedColumn(cell.column))) {
        fireEvent(grid_event::kFixedCellReleased, {grid_event::word(cell.row), grid_event::word(cell.column)});
    }
}

void CGridCtrl::onLeftDoubleClick(POINT point) {
    suppressNextRelease_ = true;
    const CellAddress cell = geometry().cellAt(point.x, point.y);
    if (!model_.isValid(cell)) return;
    if (model_.isFixedRow(cell.row) || model_.isFixedColumn(cell.column)) {
        fireEvent(grid_event::kFixedCellDoubleClicked, {grid_event::word(cell.row), grid_event::word(cell.column)});
        return;
    }
    const CellAddress target = anchorOf(model_, cell);
    if (model_.isCheckBoxColumn(target.column)) return toggleCheck(target.row, target.column);
    if (target != model_.focusCell()) moveFocus(target, false);
    beginEdit(target.row, target.column, 0);
}

}  // namespace veltrano::grid
