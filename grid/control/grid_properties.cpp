#include <algorithm>

#include "components/classdata/colors.h"
#include "grid/control/grid_ctrl.h"

namespace veltrano::grid {
namespace {

constexpr std::int32_t kMaxGridLines = 3;
constexpr std::int32_t kMaxEnterMode = 3;
constexpr std::int32_t kMaxBorderStyle = 5;
// Wider lines than this would leave no room for any cell's content.
constexpr std::int32_t kMaxGridLineWidth = 64;

// Writes that change nothing on screen.
bool redrawsOnWrite(GridProperty property) {
    switch (property) {
        case GridProperty::Editable:
        case GridProperty::PrintDialog:
        case GridProperty::SelectionAllowed:
        case GridProperty::StoredOption:
        case GridProperty::StoredSetting:
        case GridProperty::FrameSetting:
        case GridProperty::EnterMode:
        case GridProperty::FixedCellClickSelects:
        case GridProperty::WholeRowSelection:
        case GridProperty::StoredFlag: return false;
        default: return true;
    }
}

}  // namespace

bool CGridCtrl::writeProperty(int index, const RawValue& value) {
    if (index < 0 || index >= kGridPropertyCount) return false;
    const classdata::GridDesignData before = design_;
    classdata::GridDesignData& d = design_;
    const std::uint32_t raw = value.number();
    const auto number = static_cast<std::int32_t>(raw);
    const bool flag = raw != 0;
    const auto property = static_cast<GridProperty>(index);
    switch (property) {
        case GridProperty::GridLineColour: d.gridLineColor = raw; break;
        case GridProperty::CellBackgroundColour: d.cellBackColor = raw; break;
        case GridProperty::CellTextColour: d.cellTextColor = raw; break;
        case GridProperty::FocusColour: d.focusCellColor = raw; break;
        case GridProperty::GridLines: d.gridLines = std::clamp(number, 0, kMaxGridLines); break;
        case GridProperty::RowsResizable: d.rowsResizable = flag; break;
        case GridProperty::ColumnsResizable: d.columnsResizable = flag; break;
        case GridProperty::RowHeight: d.rowHeight = std::max(0, number); break;
        case GridProperty::ColumnWidth: d.columnWidth = std::max(0, number); break;
        case GridProperty::RowCount:
            if (number <= 0) return false;
            d.rowCount = number;
            break;
        case GridProperty::ColumnCount:
            if (number <= 0) return false;
            d.columnCount = number;
            break;
        case GridProperty::FixedRowCount:
            if (number < 0) return false;
            d.fixedRowCount = number;
            break;
        case GridProperty::FixedColumnCount:
            if (number < 0) return false;
            d.fixedColumnCount = number;
            break;
        case GridProperty::Editable: d.editable = flag; break;
        case GridProperty::PrintDialog: d.printDialog = flag; break;
        case GridProperty::SelectionAllowed: d.selectionAllowed = flag; break;
        case GridProperty::StoredOption: d.storedOption = flag; break;
        case GridProperty::BackgroundColour: d.backColor = raw; break;
        case GridProperty::StoredSetting: d.storedSetting = number; break;
        case GridProperty::FrameSetting: d.frameSetting = number; break;
        case GridProperty::EnterMode: d.enterMode = std::clamp(number, 0, kMaxEnterMode); break;
        case GridProperty::FixedCellClickSelects: d.fixedCellClickSelects = flag; break;
        case GridProperty::WholeRowSelection: d.wholeRowSelection = flag; break;
        case GridProperty::SelectionBackgroundColour: d.selectionBackColor = raw; break;
        case GridProperty::StoredFlag: d.storedFlag = flag; break;
        case GridProperty::GridLineWidth: d.gridLineWidth = std::clamp(number, 0, kMaxGridLineWidth); break;
        case GridProperty::SelectionTextColour: d.selectionTextColor = raw; break;
        case GridProperty::ShowZeroValues: d.showZeroValues = flag; break;
        case GridProperty::ExtraColour: d.extraColor = raw; break;
        case GridProperty::BorderStyle: d.borderStyle = std::clamp(number, 0, kMaxBorderStyle); break;
    }
    if (!applyProperty(index)) {
        design_ = before;
        return false;
    }
    if (redrawsOnWrite(property)) redraw();
    return true;
}

bool CGridCtrl::applyProperty(int index) {
    classdata::GridDesignData& d = design_;
    GridSettings& settings = model_.settings();
    switch (static_cast<GridProperty>(index)) {
        case GridProperty::GridLineColour: settings.gridLineColour = d.gridLineColor; return true;
        case GridProperty::CellBackgroundColour: settings.defaultBackgroundColour = d.cellBackColor; return true;
        case GridProperty::CellTextColour: settings.defaultTextColour = d.cellTextColor; return true;
        case GridProperty::FocusColour: settings.focusFrameColour = d.focusCellColor; return true;
        case GridProperty::GridLines: settings.gridLines = d.gridLines; return true;
        case GridProperty::RowsResizable: settings.rowsResizable = d.rowsResizable; return true;
        case GridProperty::ColumnsResizable: settings.columnsResizable = d.columnsResizable; return true;
        case GridProperty::RowHeight:
            for (std::int32_t row = 0; row < model_.rowCount(); ++row) model_.setRowHeight(row, d.rowHeight);
            updateScrollBars();
            return true;
        case GridProperty::ColumnWidth:
            for (std::int32_t column = 0; column < model_.columnCount(); ++column) {
                model_.setColumnWidth(column, d.columnWidth, true);
            }
            updateScrollBars();
            return true;
        case GridProperty::RowCount:
            if (d.rowCount <= 0 || !model_.setRowCount(d.rowCount)) return false;
            if (model_.fixedRowCount() > d.rowCount) model_.setFixedRowCount(d.rowCount);
            for (std::int32_t row = 0; row < model_.rowCount(); ++row) model_.setRowHeight(row, d.rowHeight);
            updateScrollBars();
            return true;
        case GridProperty::ColumnCount:
            if (d.columnCount <= 0 || !model_.setColumnCount(d.columnCount)) return false;
            if (model_.fixedColumnCount() > d.columnCount) model_.setFixedColumnCount(d.columnCount);
            for (std::int32_t column = 0; column < model_.columnCount(); ++column) {
                model_.setColumnWidth(column, d.columnWidth, true);
            }
            updateScrollBars();
            return true;
        case GridProperty::FixedRowCount:
            if (!model_.setFixedRowCount(d.fixedRowCount)) return false;
            updateScrollBars();
            return true;
        case GridProperty::FixedColumnCount:
            if (!model_.setFixedColumnCount(d.fixedColumnCount)) return false;
            updateScrollBars();
            return true;
        case GridProperty::Editable: settings.editable = d.editable; return true;
        case GridProperty::PrintDialog: settings.printDialog = d.printDialog; return true;
        case GridProperty::SelectionAllowed:
        case GridProperty::WholeRowSelection:
            if (d.wholeRowSelection) d.selectionAllowed = true;
            settings.selectionAllowed = d.selectionAllowed;
            return true;
        case GridProperty::StoredOption: settings.storedOption = d.storedOption; return true;
        case GridProperty::SelectionBackgroundColour:
            if (d.selectionBackColor == classdata::kSystemHighlightColor) {
                d.selectionBackColor = GetSysColor(COLOR_HIGHLIGHT);
            }
            return true;
        case GridProperty::GridLineWidth: settings.gridLineWidth = d.gridLineWidth; return true;
        case GridProperty::ShowZeroValues: settings.showZeroValues = d.showZeroValues; return true;
        case GridProperty::BorderStyle: applyBorderStyle(); return true;
        default: return true;
    }
}

classdata::GridDesignData CGridCtrl::currentDesign() const {
    classdata::GridDesignData d = design_;
    const GridSettings& settings = model_.settings();
    d.gridLineColor = settings.gridLineColour;
    d.cellBackColor = settings.defaultBackgroundColour;
    d.cellTextColor = settings.defaultTextColour;
    d.focusCellColor = settings.focusFrameColour;
    d.gridLines = settings.gridLines;
    d.rowsResizable = settings.rowsResizable;
    d.columnsResizable = settings.columnsResizable;
    d.rowCount = model_.rowCount();
    d.columnCount = model_.columnCount();
    d.fixedRowCount = model_.fixedRowCount();
    d.fixedColumnCount = model_.fixedColumnCount();
    d.editable = settings.editable;
    d.printDialog = settings.printDialog;
    d.selectionAllowed = settings.selectionAllowed;
    d.storedOption = settings.storedOption;
    d.gridLineWidth = settings.gridLineWidth;
    d.showZeroValues = settings.showZeroValues;
    return d;
}

bool CGridCtrl::readProperty(int index, RawValue& value) const {
    if (index < 0 || index >= kGridPropertyCount) return false;
    const classdata::GridDesignData d = currentDesign();
    const auto whole = [](std::int32_t number) { return static_cast<std::uint32_t>(number); };
    const auto flag = [](bool on) { return on ? 1u : 0u; };
    std::uint32_t word = 0;
    switch (static_cast<GridProperty>(index)) {
        case GridProperty::GridLineColour: word = d.gridLineColor; break;
        case GridProperty::CellBackgroundColour: word = d.cellBackColor; break;
        case GridProperty::CellTextColour: word = d.cellTextColor; break;
        case GridProperty::FocusColour: word = d.focusCellColor; break;
        case GridProperty::GridLines: word = whole(d.gridLines); break;
        case GridProperty::RowsResizable: word = flag(d.rowsResizable); break;
        case GridProperty::ColumnsResizable: word = flag(d.columnsResizable); break;
        case GridProperty::RowHeight: word = whole(d.rowHeight); break;
        case GridProperty::ColumnWidth: word = whole(d.columnWidth); break;
        case GridProperty::RowCount: word = whole(d.rowCount); break;
        case GridProperty::ColumnCount: word = whole(d.columnCount); break;
        case GridProperty::FixedRowCount: word = whole(d.fixedRowCount); break;
        case GridProperty::FixedColumnCount: word = whole(d.fixedColumnCount); break;
        case GridProperty::Editable: word = flag(d.editable); break;
        case GridProperty::PrintDialog: word = flag(d.printDialog); break;
        case GridProperty::SelectionAllowed: word = flag(d.selectionAllowed); break;
        case GridProperty::StoredOption: word = flag(d.storedOption); break;
        case GridProperty::BackgroundColour: word = d.backColor; break;
        case GridProperty::StoredSetting: word = whole(d.storedSetting); break;
        case GridProperty::FrameSetting: word = whole(d.frameSetting); break;
        case GridProperty::EnterMode: word = whole(d.enterMode); break;
        case GridProperty::FixedCellClickSelects: word = flag(d.fixedCellClickSelects); break;
        case GridProperty::WholeRowSelection: word = flag(d.wholeRowSelection); break;
        case GridProperty::SelectionBackgroundColour: word = d.selectionBackColor; break;
        case GridProperty::StoredFlag: word = flag(d.storedFlag); break;
        case GridProperty::GridLineWidth: word = whole(d.gridLineWidth); break;
        case GridProperty::SelectionTextColour: word = d.selectionTextColor; break;
        case GridProperty::ShowZeroValues: word = flag(d.showZeroValues); break;
        case GridProperty::ExtraColour: word = d.extraColor; break;
        case GridProperty::BorderStyle: word = whole(d.borderStyle); break;
    }
    value = RawValue{word, 0};
    return true;
}

void CGridCtrl::applyBorderStyle() {
    if (handle() == nullptr) return;
    constexpr LONG_PTR kExtendedBorders = WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME | WS_EX_STATICEDGE;
    LONG_PTR style = GetWindowLongPtrW(handle(), GWL_STYLE) & ~static_cast<LONG_PTR>(WS_BORDER);
    LONG_PTR extended = GetWindowLongPtrW(handle(), GWL_EXSTYLE) & ~kExtendedBorders;
    switch (design_.borderStyle) {
        case 1: extended |= WS_EX_CLIENTEDGE; break;
        case 2: extended |= WS_EX_DLGMODALFRAME; break;
        case 3: extended |= WS_EX_STATICEDGE; break;
        case 4: extended |= WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME; break;
        case 5: style |= WS_BORDER; break;
        default: break;
    }
    SetWindowLongPtrW(handle(), GWL_STYLE, style);
    SetWindowLongPtrW(handle(), GWL_EXSTYLE, extended);
    SetWindowPos(handle(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace veltrano::grid
