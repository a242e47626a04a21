#include <algorithm>
#include <string>

#include "components/window/focus_cycle.h"
#include "components/window/win_form_unit.h"
#include "runtime/kernel/component_class.h"
#include "runtime/kernel/runtime_services.h"
#include "runtime/kernel/wide_text.h"

namespace veltrano {
namespace {

// Class flags the keyboard conventions decide by.
constexpr std::uint32_t kOptionButtonFlag = 0x400;
constexpr std::uint32_t kNeverVisibleFlag = 0x8000;
constexpr std::uint32_t kNoTabFlag = 0x10000;
constexpr std::uint32_t kDragsWindowFlag = 0x04000000;

std::uint32_t classFlags(const ComponentObject& component) {
    const ClassDescriptor* descriptor = services::classDescriptor(component.classId());
    return descriptor != nullptr ? descriptor->flags : 0;
}

bool isKeyboardMessage(UINT message) noexcept { return message >= WM_KEYFIRST && message <= WM_SYSDEADCHAR; }

struct EnumerationState {
    HWND form;
    std::uint32_t windowId;
    std::vector<ComponentObject*>* found;
};

BOOL CALLBACK collectComponent(HWND child, LPARAM parameter) {
    auto& state = *reinterpret_cast<EnumerationState*>(parameter);
    ComponentObject* component = ComponentObject::componentOf(child);
    if (component != nullptr && component->windowId() == state.windowId) state.found->push_back(component);
    return TRUE;
}

// Changes the extension of a file name (wide, so that a double-byte
// character's trail byte is never taken for a separator).
std::wstring withExtension(const std::wstring& path, const wchar_t* extension) {
    const std::size_t separator = path.find_last_of(L"\\/");
    const std::size_t dot = path.find_last_of(L'.');
    const bool hasExtension = dot != std::wstring::npos && (separator == std::wstring::npos || dot > separator);
    return (hasExtension ? path.substr(0, dot) : path) + L"." + extension;
}

}  // namespace

std::vector<ComponentObject*> CWinFormUnit::components() const {
    std::vector<ComponentObject*> found;
    EnumerationState state{handle(), windowId(), &found};
    EnumChildWindows(handle(), &collectComponent, reinterpret_cast<LPARAM>(&state));
    // The loader numbers controls from the end of the component list, so
    // the list's order is the controls' ids from the highest down.
    std::stable_sort(found.begin(), found.end(), [](const ComponentObject* a, const ComponentObject* b) {
        return GetDlgCtrlID(a->handle()) > GetDlgCtrlID(b->handle());
    });
    return found;
}

ComponentObject* CWinFormUnit::focusedComponent() const {
    HWND self = handle();
    for (HWND window = GetFocus(); window != nullptr && window != self; window = GetParent(window)) {
        ComponentObject* component = ComponentObject::componentOf(window);
        if (component != nullptr && component->windowId() == windowId()) return component;
    }
    return nullptr;
}

bool CWinFormUnit::moveFocus(ComponentObject* focused, bool forward, bool optionButtonsOnly) {
    const std::vector<ComponentObject*> list = components();
    HWND focusedParent = focused != nullptr ? GetParent(focused->handle()) : nullptr;
    std::vector<FocusEntry> entries;
    std::optional<std::size_t> focusedIndex;
    for (std::size_t i = 0; i < list.size(); ++i) {
        HWND window = list[i]->handle();
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
        const std::uint32_t flags = classFlags(*list[i]);
        bool candidate = (style & WS_VISIBLE) != 0 && (style & WS_TABSTOP) != 0 && IsWindowEnabled(window) &&
                         (flags & (kNeverVisibleFlag | kNoTabFlag)) == 0;
        if (optionButtonsOnly) candidate = candidate && (flags & kOptionButtonFlag) != 0 && GetParent(window) == focusedParent;
        entries.push_back(FocusEntry{candidate, static_cast<int>(i)});
        if (list[i] == focused) focusedIndex = i;
    }
    const auto target = focusTarget(entries, focusedIndex, forward);
    if (!target) return false;
    ComponentObject* next = list[*target];
    if (next == focused) return true;
    SetFocus(next->handle());
    if (optionButtonsOnly) {
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (list[i] == next || !entries[i].candidate) continue;
            SendMessageW(list[i]->handle(), BM_SETCHECK, BST_UNCHECKED, 0);
        }
        SendMessageW(next->handle(), BM_SETCHECK, BST_CHECKED, 0);
        next->fireEvent(0);
    }
    return true;
}

bool CWinFormUnit::pressDefaultButton() {
    for (ComponentObject* component : components()) {
        if (component->isDefaultButton() && IsWindowEnabled(component->handle())) {
            component->fireEvent(0);
            return true;
        }
    }
    return false;
}

bool CWinFormUnit::openHelp() {
    std::wstring file = wideFromCodePage936(data_.HelpFile);
    if (file.empty()) {
        const char* program = services::programFileName();
        if (program == nullptr || *program == '\0') return false;
        file = withExtension(wideFromCodePage936(program), L"hlp");
    }
    if (GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
    helpOpen_ = true;
    if (data_.HelpContext != 0) {
        WinHelpW(handle(), file.c_str(), HELP_CONTEXT, static_cast<ULONG_PTR>(static_cast<std::uint32_t>(data_.HelpContext)));
    } else {
        WinHelpW(handle(), file.c_str(), HELP_FINDER, 0);
    }
    return true;
}

bool CWinFormUnit::dragAnywhere(const MSG& message) {
    POINT point{static_cast<short>(LOWORD(message.lParam)), static_cast<short>(HIWORD(message.lParam))};
    ClientToScreen(message.hwnd, &point);
    const LPARAM where = MAKELPARAM(point.x, point.y);
    if (message.hwnd == handle()) {
        PostMessageW(handle(), WM_NCLBUTTONDOWN, HTCAPTION, where);
        return false;
    }
    ComponentObject* component = ComponentObject::componentOf(message.hwnd);
    if (component == nullptr || (classFlags(*component) & kDragsWindowFlag) == 0) return false;
    PostMessageW(handle(), WM_NCLBUTTONDOWN, HTCAPTION, where);
    return true;
}

bool CWinFormUnit::onKeyDown(const MSG& message) {
    const auto key = static_cast<std::uint32_t>(message.wParam);
    const std::uint32_t modifiers = currentKeyModifiers();
    ComponentObject* focused = focusedComponent();
    const bool conventionKey = key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE || key == VK_F1;
    if (conventionKey && focused != nullptr && focused->wantsKey(key)) return false;

    switch (key) {
        case VK_TAB:
            if (modifiers != 0 && modifiers != key_modifier::kShift) return false;
            moveFocus(focused, modifiers == 0, false);
            return true;
        case VK_RETURN:
            if (modifiers != 0) return false;
            if (focused != nullptr && focused->isDefaultButton() && IsWindowEnabled(focused->handle())) {
                focused->fireEvent(0);
                return true;
            }
            if (data_.EnterMovesFocus) {
                moveFocus(focused, true, false);
                return true;
            }
            return pressDefaultButton();
        case VK_ESCAPE:
            if (!data_.EscCloses) return false;
            // Closing may delete this object: nothing of it is used after.
            SendMessageW(handle(), WM_CLOSE, 0, 0);
            return true;
        case VK_F1:
            if (!data_.F1OpensHelp) return false;
            openHelp();
            return true;
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
            if (focused == nullptr || (classFlags(*focused) & kOptionButtonFlag) == 0) return false;
            moveFocus(focused, key == VK_RIGHT || key == VK_DOWN, true);
            return true;
        default: return false;
    }
}

bool CWinFormUnit::preTranslateMessage(MSG& message) {
    if (designMode_) return false;
    HWND self = handle();
    if (isKeyboardMessage(message.message) && !IsWindowEnabled(message.hwnd)) return false;
    if (accelerators_ && isKeyboardMessage(message.message) &&
        TranslateAcceleratorW(self, accelerators_.get(), &message) != 0) {
        return true;
    }
    if (message.hwnd != self && !IsChild(self, message.hwnd)) return false;
    if (message.message == WM_LBUTTONDOWN && data_.DragAnywhere && dragAnywhere(message)) return true;
    if (message.message == WM_KEYDOWN) return onKeyDown(message);
    return false;
}

}  // namespace veltrano
