#pragma once

#include <windows.h>

#include <string>

#include "grid/model/log_font.h"
#include "runtime/kernel/unique_handle.h"

namespace veltrano::grid {

// The small window that shows a cell's whole text over the cell when the
// cell cuts it. While shown it holds the mouse capture, so the first move
// out of it, key or button press takes it away again and is handed on to
// where it would have gone without the tip.
//
// The window is made on the first show and destroyed with this object; it
// is owned by the grid's top-level window, so it stays above it without
// being one of the grid's children.
class TitleTip {
public:
    static constexpr const wchar_t* kWindowClassName = L"ZTitleTip";

    struct Look {
        LogFont font;
        COLORREF text = 0;
        COLORREF background = 0xFFFFFF;
    };

    // grid receives the keys pressed while the tip is shown.
    explicit TitleTip(HWND grid) noexcept : grid_(grid) {}
    TitleTip(const TitleTip&) = delete;
    TitleTip& operator=(const TitleTip&) = delete;
    ~TitleTip();

    // Shows text over cell (screen coordinates), widened to the text, when
    // the text with a space on either side is wider than cell; false when
    // it fits or the window cannot be made.
    bool show(const RECT& cell, const std::wstring& text, const Look& look);
    void hide();
    bool visible() const;
    HWND handle() const noexcept { return window_.get(); }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool makeWindow();
    void paint();
    void draw(HDC dc) const;
    void onMouseMove(WPARAM keys, POINT screen);
    void onButtonDown(UINT message, WPARAM keys, POINT screen);

    HWND grid_;
    win::UniqueWindow window_;
    win::UniqueFont font_;
    std::wstring text_;
    COLORREF textColour_ = 0;
    COLORREF background_ = 0xFFFFFF;
    int indent_ = 0;
    // When the last left press on the tip came, to turn the next one into
    // a double click.
    DWORD lastLeftPress_ = 0;
    bool leftPressed_ = false;
};

}  // namespace veltrano::grid
