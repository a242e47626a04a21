#pragma once

#include <windows.h>

#include <string>

#include "runtime/kernel/unique_handle.h"
#include "runtime/kernel/window_object.h"

namespace veltrano::grid {

class CellEditorHost;

// The text editor laid over a cell while it is edited: an edit box that
// stays hidden between edits and belongs to its window (a child of the
// grid's), so it goes when the grid goes.
class CellEditor final : public WindowObject {
public:
    struct Look {
        HFONT font = nullptr;  // not owned; outlives the edit
        COLORREF text = 0;
        COLORREF background = 0xFFFFFF;
    };

    // Null when the system refuses the edit box.
    static CellEditor* create(CellEditorHost& host);

    // Shows the editor over rect with text; a typed character replaces it.
    void start(const RECT& rect, const std::wstring& text, const Look& look, bool numeric, wchar_t typed);
    void hide();
    std::wstring text() const;

    // Whether a character may go into a numeric cell's text as it stands.
    static bool acceptsNumeric(const std::wstring& text, DWORD selectionStart, DWORD selectionEnd, wchar_t character);

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    HBRUSH onControlColour(HDC dc, UINT message) override;
    bool onCommandNotification(int code) override;

private:
    explicit CellEditor(CellEditorHost& host) : host_(host) {}
    bool onChar(wchar_t character);
    void fitToText();

    CellEditorHost& host_;
    bool numeric_ = false;
    // The character that started the edit reached the program already, as
    // the grid's own; its replay into the editor is not a second one.
    bool replayingTyped_ = false;
    int maximumWidth_ = 0;
    Look look_;
    win::UniqueBrush background_;
};

}  // namespace veltrano::grid
