#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "grid/control/cell_editor_support.h"
#include "grid/control/grid_cell_editor.h"

namespace veltrano::grid {

class CellEditorHost;

// The editor of a picture column: a read-only field over the cell with a
// "..." button at its right that picks a picture file for the cell. It is
// made for one edit and belongs to its window, a child of the grid's.
class PictureCellEditor final : public ColouredEditor {
public:
    // Null when the system refuses the field or its button.
    static PictureCellEditor* create(CellEditorHost& host);
    ~PictureCellEditor() override;

    void start(const RECT& rect, const std::wstring& shown, const CellEditor::Look& look);
    HWND button() const { return button_; }

    // A file was picked: its picture goes into the cell. False, with
    // nothing changed, when the file makes no picture.
    bool fileChosen(const std::wstring& path);

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    explicit PictureCellEditor(CellEditorHost& host) : host_(host) {}
    // Runs the open-file dialog and takes the file picked.
    void choose();

    CellEditorHost& host_;
    HWND button_ = nullptr;
    // While the dialog runs the focus is away on purpose.
    bool choosing_ = false;
    // The dialog runs messages: the edit may end and this editor go before
    // it returns, which the flag tells the waiting caller.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace veltrano::grid
