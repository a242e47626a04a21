#include "grid/control/grid_cell_editor.h"

#include <algorithm>

#include "grid/control/cell_editor_host.h"

namespace veltrano::grid {
namespace {

constexpr int kEditorPadding = 4;

bool wholeTextSelected(const std::wstring& text, DWORD start, DWORD end) {
    return start == 0 && end >= text.size() && !text.empty();
}

}  // namespace

CellEditor* CellEditor::create(CellEditorHost& host) {
    HWND window = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_BORDER | ES_AUTOHSCROLL | ES_MULTILINE | ES_LEFT, 0, 0,
                                  0, 0, host.editorParent(), nullptr, GetModuleHandleW(nullptr), nullptr);
    if (window == nullptr) return nullptr;
    auto* editor = new CellEditor(host);
    if (!editor->attach(window)) {
        delete editor;
        DestroyWindow(window);
        return nullptr;
    }
    return editor;
}

void CellEditor::start(const RECT& rect, const std::wstring& text, const Look& look, bool numeric, wchar_t typed) {
    numeric_ = numeric;
    look_ = look;
    background_.reset(CreateSolidBrush(look.background));
    RECT client{};
    GetClientRect(host_.editorParent(), &client);
    maximumWidth_ = std::max<int>(rect.right - rect.left, client.right - rect.left);
    SendMessageW(handle(), WM_SETFONT, reinterpret_cast<WPARAM>(look.font), FALSE);
    SetWindowTextW(handle(), text.c_str());
    SetWindowPos(handle(), HWND_TOP, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_SHOWWINDOW);
    SetFocus(handle());
    SendMessageW(handle(), EM_SETSEL, 0, -1);
    if (typed != 0) {
        replayingTyped_ = true;
        SendMessageW(handle(), WM_CHAR, typed, 0);
        replayingTyped_ = false;
    }
    fitToText();
}

void CellEditor::hide() {
    ShowWindow(handle(), SW_HIDE);
}

std::wstring CellEditor::text() const {
    const int length = GetWindowTextLengthW(handle());
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(handle(), text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(0, copied)));
    return text;
}

bool CellEditor::acceptsNumeric(const std::wstring& text, DWORD selectionStart, DWORD selectionEnd, wchar_t character) {
    if (character < L' ') return true;
    if (character >= L'0' && character <= L'9') return true;
    const bool replacesAll = wholeTextSelected(text, selectionStart, selectionEnd);
    if (character == L'-') return replacesAll || (selectionStart == 0 && text.find(L'-') == std::wstring::npos);
    if (character == L'.') return replacesAll || text.find(L'.') == std::wstring::npos;
    return false;
}

bool CellEditor::onChar(wchar_t character) {
    if (!replayingTyped_) host_.fireCharacter(character);
    if (character == VK_ESCAPE || character == VK_TAB) return true;
    if (character == VK_RETURN || character == L'\n') return (GetKeyState(VK_CONTROL) & 0x8000) == 0;
    if (!numeric_) return false;
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const std::wstring current = text();
    if (character == L' ') {
        if (wholeTextSelected(current, start, end)) {
            SetWindowTextW(handle(), L"");
        } else {
            MessageBeep(MB_OK);
        }
        return true;
    }
    if (!acceptsNumeric(current, start, end, character)) {
        MessageBeep(MB_OK);
        return true;
    }
    return false;
}

void CellEditor::fitToText() {
    const std::wstring current = text();
    HDC dc = GetDC(handle());
    if (dc == nullptr) return;
    SIZE size{};
    {
        win::SelectObjectGuard select(
            dc, look_.font != nullptr ? static_cast<HGDIOBJ>(look_.font) : GetStockObject(DEFAULT_GUI_FONT));
        GetTextExtentPoint32W(dc, current.c_str(), static_cast<int>(current.size()), &size);
    }
    ReleaseDC(handle(), dc);
    RECT rect{};
    GetWindowRect(handle(), &rect);
    const int wanted = std::min<int>(maximumWidth_, static_cast<int>(size.cx) + kEditorPadding);
    if (wanted > rect.right - rect.left) {
        SetWindowPos(handle(), nullptr, 0, 0, wanted, rect.bottom - rect.top, SWP_NOMOVE | SWP_NOZORDER);
    }
}

bool CellEditor::onCommandNotification(int code) {
    if (code == EN_CHANGE) fitToText();
    return code == EN_CHANGE;
}

HBRUSH CellEditor::onControlColour(HDC dc, UINT message) {
    (void)message;
    SetTextColor(dc, look_.text);
    SetBkColor(dc, look_.background);
    return background_.get();
}

LRESULT CellEditor::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_GETDLGCODE: return DLGC_WANTALLKEYS | DLGC_WANTCHARS;
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE) {
                host_.editorFinished(false, VK_ESCAPE);
                return 0;
            }
            if (wParam == VK_TAB) {
                host_.editorFinished(true, VK_TAB);
                return 0;
            }
            if (wParam == VK_RETURN) {
                if ((GetKeyState(VK_CONTROL) & 0x8000) != 0) {
                    SendMessageW(handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"\r\n"));
                    RECT rect{};
                    GetWindowRect(handle(), &rect);
                    TEXTMETRICW metrics{};
                    HDC dc = GetDC(handle());
                    GetTextMetricsW(dc, &metrics);
                    ReleaseDC(handle(), dc);
                    SetWindowPos(handle(), nullptr, 0, 0, rect.right - rect.left,
                                 rect.bottom - rect.top + metrics.tmHeight, SWP_NOMOVE | SWP_NOZORDER);
                    return 0;
                }
                host_.editorFinished(true, VK_RETURN);
                return 0;
            }
            break;
        case WM_CHAR:
            if (onChar(static_cast<wchar_t>(wParam))) return 0;
            break;
        case WM_KILLFOCUS: {
            const LRESULT result = defaultProcedure(message, wParam, lParam);
            host_.editorFinished(true, 0);
            return result;
        }
        default: break;
    }
    return WindowObject::handleMessage(message, wParam, lParam);
}

}  // namespace veltrano::grid
