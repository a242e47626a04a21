#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "grid/control/cell_editor_support.h"
#include "grid/control/grid_cell_editor.h"

namespace veltrano::grid {

class CellEditorHost;

// The editor of a date column: a date picker over the cell showing
// "yyyy-MM-dd". It is made for one edit and belongs to its window, a child
// of the grid's.
class DateCellEditor final : public ColouredEditor {
public:
    // Null when the system refuses the date picker.
    static DateCellEditor* create(CellEditorHost& host);

    // Shows the picker over rect at the date the cell's text reads as, or
    // at today when it reads as none.
    void start(const RECT& rect, std::string_view cellText, const CellEditor::Look& look);
    // The chosen date as "yyyy-MM-dd".
    std::wstring text() const;

    // The date a cell's text reads as, when the picker can show it.
    static std::optional<SYSTEMTIME> dateOf(std::string_view cellText);
    static std::wstring dateText(const SYSTEMTIME& date);

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool onNotify(const NMHDR& header, LRESULT& result) override;

private:
    explicit DateCellEditor(CellEditorHost& host) : host_(host) {}

    CellEditorHost& host_;
    // While the calendar is open the focus is in it, not gone.
    bool calendarOpen_ = false;
};

}  // namespace veltrano::grid
