#include "grid/control/cell_editor_support.h"

#include "grid/control/cell_editor_host.h"

namespace veltrano::grid {

void EditorColours::take(const CellEditor::Look& look) {
    look_ = look;
    background_.reset(CreateSolidBrush(look.background));
}

HBRUSH EditorColours::paint(HDC dc) const {
    SetTextColor(dc, look_.text);
    SetBkColor(dc, look_.background);
    return background_.get();
}

bool holdsFocus(HWND window) {
    const HWND focus = GetFocus();
    return focus != nullptr && (focus == window || IsChild(window, focus));
}

bool finishOnKey(CellEditorHost& host, WPARAM key) {
    switch (key) {
        case VK_ESCAPE: host.editorFinished(false, VK_ESCAPE); return true;
        case VK_TAB:
        case VK_RETURN: host.editorFinished(true, static_cast<UINT>(key)); return true;
        default: return false;
    }
}

bool isFinishingCharacter(WPARAM character) {
    return character == VK_ESCAPE || character == VK_TAB || character == VK_RETURN || character == L'\n';
}

}  // namespace veltrano::grid
