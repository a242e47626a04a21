#include "grid/control/list_cell_editor.h"

#include <algorithm>
#include <memory>

#include "grid/control/cell_editor_host.h"
#include "runtime/kernel/wide_text.h"

namespace veltrano::grid {
namespace {

constexpr int kVisibleItems = 8;
// The combo box draws a frame around its field, outside the item height.
constexpr int kFieldFrame = 6;

}  // namespace

// The edit field inside an editable list gets the keys, so it hands the
// ones that end the edit to the list.
class ListCellEditor::Field final : public WindowObject {
public:
    explicit Field(ListCellEditor& owner) : owner_(owner) {}

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_GETDLGCODE) return DLGC_WANTALLKEYS | DLGC_WANTCHARS;
        if ((message == WM_KEYDOWN || message == WM_CHAR) && owner_.takesKey(message, wParam)) return 0;
        return WindowObject::handleMessage(message, wParam, lParam);
    }

private:
    ListCellEditor& owner_;
};

ListCellEditor* ListCellEditor::create(CellEditorHost& host, bool editable) {
    const DWORD style = WS_CHILD | WS_VSCROLL | CBS_AUTOHSCROLL | (editable ? CBS_DROPDOWN : CBS_DROPDOWNLIST);
    HWND window = CreateWindowExW(0, L"COMBOBOX", L"", style, 0, 0, 0, 0, host.editorParent(), nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ListCellEditor* editor = adoptWindow(std::unique_ptr<ListCellEditor>(new ListCellEditor(host, editable)), window);
    if (editor == nullptr) return nullptr;
    if (editable) {
        COMBOBOXINFO parts{};
        parts.cbSize = sizeof parts;
        auto field = std::make_unique<Field>(*editor);
        if (!GetComboBoxInfo(window, &parts) || parts.hwndItem == nullptr || !field->attach(parts.hwndItem)) {
            DestroyWindow(window);
            return nullptr;
        }
        // The field's window owns it from now on.
        field.release();
    }
    return editor;
}

void ListCellEditor::start(const RECT& rect, CellAddress cell, const std::vector<std::string>& items,
                           const std::string& text, const CellEditor::Look& look, wchar_t typed) {
    cell_ = cell;
    items_ = items;
    original_ = text;
    colours_.take(look);
    SendMessageW(handle(), WM_SETFONT, reinterpret_cast<WPARAM>(look.font), FALSE);
    SendMessageW(handle(), CB_RESETCONTENT, 0, 0);
    for (const std::string& item : items_) {
        const std::wstring wide = wideFromCodePage936(item);
        SendMessageW(handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    }
    const int height = static_cast<int>(rect.bottom - rect.top);
    SendMessageW(handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), std::max(1, height - kFieldFrame));
    const auto itemHeight = static_cast<int>(SendMessageW(handle(), CB_GETITEMHEIGHT, 0, 0));
    const int shown = std::clamp(static_cast<int>(items_.size()), 1, kVisibleItems);
    SetWindowPos(handle(), HWND_TOP, rect.left, rect.top, rect.right - rect.left,
                 height + std::max(1, itemHeight) * shown + 2, SWP_SHOWWINDOW);

    const auto match = std::find(items_.begin(), items_.end(), text);
    announced_ = match != items_.end() ? static_cast<int>(match - items_.begin()) : -1;
    SendMessageW(handle(), CB_SETCURSEL, static_cast<WPARAM>(announced_), 0);
    if (editable_) SetWindowTextW(handle(), wideFromCodePage936(text).c_str());
    SetFocus(handle());
    if (editable_) SendMessageW(handle(), CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    if (typed >= L' ') takeTyped(typed);
}

void ListCellEditor::takeTyped(wchar_t typed) {
    const std::wstring character(1, typed);
    if (editable_) {
        SetWindowTextW(handle(), character.c_str());
        SendMessageW(handle(), CB_SETEDITSEL, 0, MAKELPARAM(1, 1));
        return;
    }
    // The list's prefix search ignores case, as choosing by keyboard does.
    const auto found = static_cast<int>(
        SendMessageW(handle(), CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(character.c_str())));
    if (found < 0) return;
    SendMessageW(handle(), CB_SETCURSEL, static_cast<WPARAM>(found), 0);
    announce(found);
}

void ListCellEditor::hide() {
    if (dropped()) SendMessageW(handle(), CB_SHOWDROPDOWN, FALSE, 0);
    ShowWindow(handle(), SW_HIDE);
}

std::wstring ListCellEditor::text() const {
    if (!editable_) {
        const int index = selection();
        return wideFromCodePage936(index >= 0 ? items_[static_cast<std::size_t>(index)] : original_);
    }
    const int length = GetWindowTextLengthW(handle());
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(handle(), text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(0, copied)));
    return text;
}

bool ListCellEditor::dropped() const {
    return SendMessageW(handle(), CB_GETDROPPEDSTATE, 0, 0) != FALSE;
}

int ListCellEditor::selection() const {
    const auto index = static_cast<int>(SendMessageW(handle(), CB_GETCURSEL, 0, 0));
    return index >= 0 && static_cast<std::size_t>(index) < items_.size() ? index : -1;
}

void ListCellEditor::keepDroppedChoice() {
    if (!dropped()) return;
    const int index = selection();
    SendMessageW(handle(), CB_SHOWDROPDOWN, FALSE, 0);
    if (index < 0) return;
    if (selection() != index) SendMessageW(handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    announce(index);
}

void ListCellEditor::announce(int index) {
    if (!host_.editing() || index < 0 || index == announced_) return;
    announced_ = index;
    chosenItem_ = items_[static_cast<std::size_t>(index)];
    host_.listItemChosen(cell_, chosenItem_);
}

bool ListCellEditor::takesKey(UINT message, WPARAM key) {
    if (message == WM_CHAR) {
        // The key-down of these already acted.
        if (isFinishingCharacter(key)) return true;
        host_.fireCharacter(static_cast<wchar_t>(key));
        return false;
    }
    if (key == VK_ESCAPE && dropped()) {
        SendMessageW(handle(), CB_SHOWDROPDOWN, FALSE, 0);
        return true;
    }
    if (key == VK_RETURN || key == VK_TAB) keepDroppedChoice();
    return finishOnKey(host_, key);
}

bool ListCellEditor::onCommandNotification(int code) {
    switch (code) {
        case CBN_SELCHANGE:
        case CBN_SELENDOK: announce(selection()); return true;
        case CBN_KILLFOCUS: host_.editorFinished(true, 0); return true;
        default: return false;
    }
}

LRESULT ListCellEditor::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_GETDLGCODE: return DLGC_WANTALLKEYS | DLGC_WANTCHARS;
        case WM_KEYDOWN:
            if (takesKey(message, wParam)) return 0;
            break;
        case WM_CHAR:
            // An editable list passes characters on to its field, which
            // reports them itself.
            if (!editable_ && takesKey(message, wParam)) return 0;
            break;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX: return reinterpret_cast<LRESULT>(colours_.paint(reinterpret_cast<HDC>(wParam)));
        default: break;
    }
    return ColouredEditor::handleMessage(message, wParam, lParam);
}

}  // namespace veltrano::grid
