#pragma once

#include <windows.h>

#include <memory>

#include "grid/control/grid_cell_editor.h"
#include "runtime/kernel/unique_handle.h"
#include "runtime/kernel/window_object.h"

namespace veltrano::grid {

class CellEditorHost;

// The cell's font and colours as an editor's control paints with them.
class EditorColours {
public:
    void take(const CellEditor::Look& look);
    HFONT font() const { return look_.font; }
    // Sets the device context's colours; the brush for the background.
    HBRUSH paint(HDC dc) const;

private:
    CellEditor::Look look_;
    win::UniqueBrush background_;
};

// An editor's window, painted in the cell's colours.
class ColouredEditor : public WindowObject {
protected:
    HBRUSH onControlColour(HDC dc, UINT message) override {
        (void)message;
        return colours_.paint(dc);
    }

    EditorColours colours_;
};

// Hands the editor its new window, which then owns it; null, with both
// gone, when there is no window or it cannot be attached.
template <typename Editor>
Editor* adoptWindow(std::unique_ptr<Editor> editor, HWND window) {
    if (window == nullptr) return nullptr;
    if (!editor->attach(window)) {
        DestroyWindow(window);
        return nullptr;
    }
    return editor.release();
}

// Whether the focus is in the window or one of its children.
bool holdsFocus(HWND window);

// Esc abandons the edit, Tab and Enter end it and keep what the editor
// holds; true when the key ended the edit (the editor may be gone then).
bool finishOnKey(CellEditorHost& host, WPARAM key);
// Characters the keys above leave behind, which no editor should take in.
bool isFinishingCharacter(WPARAM character);

}  // namespace veltrano::grid
