#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "grid/control/cell_editor_support.h"
#include "grid/control/grid_cell_editor.h"
#include "grid/model/cell_address.h"

namespace veltrano::grid {

class CellEditorHost;

// The editor of a list column: a drop-down combo box over the cell, either
// with an edit field (an item or any typed text) or without one (items
// only). It is made on first use, stays hidden between edits and belongs to
// its window, a child of the grid's.
class ListCellEditor final : public ColouredEditor {
public:
    // Null when the system refuses the combo box.
    static ListCellEditor* create(CellEditorHost& host, bool editable);

    // Shows the list over rect with the items (code page 936), the cell's
    // text chosen, and takes the character that started the edit: an
    // editable list starts its text with it, the other chooses the first
    // item beginning with it.
    void start(const RECT& rect, CellAddress cell, const std::vector<std::string>& items, const std::string& text,
               const CellEditor::Look& look, wchar_t typed);
    void hide();
    // What ending the edit stores: the field's text, or without a field
    // the chosen item (the cell's own text while none is chosen).
    std::wstring text() const;

    // The item last chosen, as the handlers of the choice event received
    // it; it stays until the next choice.
    const std::string& chosenItem() const { return chosenItem_; }

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool onCommandNotification(int code) override;

private:
    class Field;

    ListCellEditor(CellEditorHost& host, bool editable) : host_(host), editable_(editable) {}
    // Keys and characters reaching the box or its field; true when taken.
    bool takesKey(UINT message, WPARAM key);
    void takeTyped(wchar_t typed);
    // A choice highlighted in the open list counts when Enter or Tab ends
    // the edit.
    void keepDroppedChoice();
    void announce(int index);
    bool dropped() const;
    int selection() const;

    CellEditorHost& host_;
    bool editable_;
    CellAddress cell_ = kNoCell;
    std::vector<std::string> items_;
    std::string original_;
    int announced_ = -1;
    std::string chosenItem_;
};

}  // namespace veltrano::grid
