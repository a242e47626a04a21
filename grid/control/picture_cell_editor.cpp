#include "grid/control/picture_cell_editor.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "grid/control/cell_editor_host.h"
#include "runtime/kernel/wide_text.h"

namespace veltrano::grid {
namespace {

constexpr UINT kCheckFocus = WM_APP + 1;
constexpr wchar_t kPictureFilter[] = L"位图 (*.bmp;*.dib)\0*.bmp;*.dib\0所有文件 (*.*)\0*.*\0";
constexpr DWORD kPathCapacity = 32768;

}  // namespace

PictureCellEditor* PictureCellEditor::create(CellEditorHost& host) {
    HWND window = CreateWindowExW(0, L"EDIT", L"",
                                  WS_CHILD | WS_BORDER | WS_CLIPCHILDREN | ES_READONLY | ES_AUTOHSCROLL | ES_LEFT, 0, 0,
                                  0, 0, host.editorParent(), nullptr, GetModuleHandleW(nullptr), nullptr);
    PictureCellEditor* editor = adoptWindow(std::unique_ptr<PictureCellEditor>(new PictureCellEditor(host)), window);
    if (editor == nullptr) return nullptr;
    editor->button_ = CreateWindowExW(0, L"BUTTON", L"...", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | BS_NOTIFY, 0, 0, 0,
                                      0, window, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (editor->button_ == nullptr) {
        DestroyWindow(window);
        return nullptr;
    }
    return editor;
}

PictureCellEditor::~PictureCellEditor() {
    *alive_ = false;
}

void PictureCellEditor::start(const RECT& rect, const std::wstring& shown, const CellEditor::Look& look) {
    colours_.take(look);
    SendMessageW(handle(), WM_SETFONT, reinterpret_cast<WPARAM>(look.font), FALSE);
    SendMessageW(button_, WM_SETFONT, reinterpret_cast<WPARAM>(look.font), FALSE);
    SetWindowTextW(handle(), shown.c_str());
    SetWindowPos(handle(), HWND_TOP, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_SHOWWINDOW);
    RECT client{};
    GetClientRect(handle(), &client);
    // A square button, unless the cell is too narrow for one beside text.
    const int width = std::max<int>(1, std::min<int>(client.bottom, client.right / 2));
    SetWindowPos(button_, nullptr, client.right - width, 0, width, client.bottom, SWP_NOZORDER);
    SendMessageW(handle(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, width));
    SetFocus(handle());
}

bool PictureCellEditor::fileChosen(const std::wstring& path) {
    const std::string bytes = codePage936FromWide(path);
    // The picture loader takes code page 936 names; one that does not
    // survive the trip would name another file or none.
    if (path.empty() || wideFromCodePage936(bytes) != path) return false;
    std::shared_ptr<Picture> picture = host_.pictureCodec().fromFile(bytes);
    if (!picture) return false;
    SetWindowTextW(handle(), path.c_str());
    // The stored picture's event may end the edit: nothing of this editor
    // is used after.
    host_.editorPictureChosen(std::move(picture));
    return true;
}

void PictureCellEditor::choose() {
    if (choosing_) return;
    std::vector<wchar_t> path(kPathCapacity, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = GetAncestor(host_.editorParent(), GA_ROOT);
    dialog.lpstrFilter = kPictureFilter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = kPathCapacity;
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    const std::shared_ptr<bool> alive = alive_;
    choosing_ = true;
    const bool picked = GetOpenFileNameW(&dialog) != FALSE;
    if (!*alive) return;
    choosing_ = false;
    if (picked && fileChosen(path.data()) && !*alive) return;
    if (host_.editing() && !holdsFocus(handle())) SetFocus(handle());
}

LRESULT PictureCellEditor::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_GETDLGCODE: return DLGC_WANTALLKEYS | DLGC_WANTCHARS;
        case WM_COMMAND:
            if (reinterpret_cast<HWND>(lParam) != button_ || button_ == nullptr) break;
            if (HIWORD(wParam) == BN_CLICKED) choose();
            // The focus may have left the button for the field or for
            // another window; which one is known once it has arrived.
            if (HIWORD(wParam) == BN_KILLFOCUS) PostMessageW(handle(), kCheckFocus, 0, 0);
            return 0;
        case kCheckFocus:
            if (!choosing_ && !holdsFocus(handle())) host_.editorFinished(true, 0);
            return 0;
        case WM_KEYDOWN:
            // Ending the edit destroys this editor: nothing of it is used
            // after.
            if (finishOnKey(host_, wParam)) return 0;
            break;
        case WM_CHAR:
            if (isFinishingCharacter(wParam)) return 0;
            host_.fireCharacter(static_cast<wchar_t>(wParam));
            break;
        case WM_KILLFOCUS: {
            const auto gaining = reinterpret_cast<HWND>(wParam);
            const LRESULT result = defaultProcedure(message, wParam, lParam);
            if (!choosing_ && gaining != button_) host_.editorFinished(true, 0);
            return result;
        }
        default: break;
    }
    return ColouredEditor::handleMessage(message, wParam, lParam);
}

}  // namespace veltrano::grid
