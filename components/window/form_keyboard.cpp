#include <algorithm>
#include <iterator>
#include <new>
#include <string>

#include "components/support/class_routines.h"
#include "components/window/focus_cycle.h"
#include "components/window/form_object.h"
#include "components/window/mnemonic.h"
#include "runtime/kernel/component_class.h"
#include "runtime/kernel/runtime_services.h"
#include "runtime/kernel/wide_text.h"

namespace veltrano {
namespace {

bool isKeyboardMessage(UINT message) noexcept {
    return message >= WM_KEYFIRST && message <= WM_SYSDEADCHAR;
}

struct EnumerationState {
    HWND form;
    std::uint32_t windowId;
    std::vector<ComponentObject*>* found;
};

// Nothing may unwind into the system's enumeration: without memory for
// another entry the enumeration stops with what it found.
BOOL CALLBACK collectComponent(HWND child, LPARAM parameter) noexcept {
    auto& state = *reinterpret_cast<EnumerationState*>(parameter);
    ComponentObject* component = ComponentObject::componentOf(child);
    if (component == nullptr || component->windowId() != state.windowId) return TRUE;
    try {
        state.found->push_back(component);
    } catch (const std::bad_alloc&) {
        return FALSE;
    }
    return TRUE;
}

// The system moves the tab-stop style of option buttons to the checked one
// of a group, so among option buttons only the arrows' own rules count.
bool isFocusCandidate(const ComponentObject& component, bool optionButtonsOnly = false) {
    HWND window = component.handle();
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    const std::uint32_t flags = component.classFlags();
    if ((style & WS_VISIBLE) == 0 || !IsWindowEnabled(window)) return false;
    if ((flags & (class_flag::kNeverVisible | class_flag::kNoTabStop)) != 0) return false;
    if (optionButtonsOnly) return (flags & class_flag::kOptionButton) != 0;
    return (style & WS_TABSTOP) != 0;
}

// A component's class answers through its interfaces when it offers them;
// objects of classes that do not answer for themselves.
bool classWantsKey(ComponentObject& component, std::uint32_t key) {
    if (const ClassDescriptor* descriptor = services::classDescriptor(component.classId())) {
        if (const auto routine = classRoutine<WantsKeyRoutine>(*descriptor, class_interface::kWantsKey)) {
            return routine(&component, key) != 0;
        }
    }
    return component.wantsKey(key);
}

bool classCallsDefault(ComponentObject& component) {
    const ClassDescriptor* descriptor = services::classDescriptor(component.classId());
    if (descriptor != nullptr && (descriptor->flags & class_flag::kDefaultButtonInterface) != 0) {
        if (const auto routine = classRoutine<DefaultButtonRoutine>(*descriptor, class_interface::kDefaultButton)) {
            return routine(&component);
        }
    }
    return component.isDefaultButton();
}

std::wstring systemClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return name;
}

std::wstring captionOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// How a component answers its Alt+key: captions of labels and group boxes
// only point at the component after them.
enum class MnemonicRole { None, PointsOnward, PushButton, OptionButton, CheckBox };

MnemonicRole mnemonicRole(const ComponentObject& component) {
    HWND window = component.handle();
    const std::wstring systemClass = systemClassOf(window);
    if (lstrcmpiW(systemClass.c_str(), L"_QL_Label") == 0 || lstrcmpiW(systemClass.c_str(), L"Static") == 0) {
        return MnemonicRole::PointsOnward;
    }
    if (lstrcmpiW(systemClass.c_str(), L"Button") != 0) return MnemonicRole::None;
    const std::uint32_t flags = component.classFlags();
    const auto type = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)) & BS_TYPEMASK;
    if (type == BS_GROUPBOX) return MnemonicRole::PointsOnward;
    if ((flags & class_flag::kOptionButton) != 0 || type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON) {
        return MnemonicRole::OptionButton;
    }
    if ((flags & class_flag::kCheckBox) != 0 || type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
        type == BS_AUTO3STATE) {
        return MnemonicRole::CheckBox;
    }
    return MnemonicRole::PushButton;
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
        bool candidate = isFocusCandidate(*list[i], optionButtonsOnly);
        if (optionButtonsOnly) candidate = candidate && GetParent(list[i]->handle()) == focusedParent;
        entries.push_back(FocusEntry{candidate, static_cast<int>(i)});
        if (list[i] == focused) focusedIndex = i;
    }
    const auto target = focusTarget(entries, focusedIndex, forward);
    if (!target) return false;
    ComponentObject* next = list[*target];
    if (next == focused) return true;
    SetFocus(next->handle());
    if (optionButtonsOnly) selectOptionButton(*next, list);
    return true;
}

void CWinFormUnit::selectOptionButton(ComponentObject& chosen, const std::vector<ComponentObject*>& list) {
    HWND parent = GetParent(chosen.handle());
    for (ComponentObject* other : list) {
        if (other == &chosen || GetParent(other->handle()) != parent) continue;
        if (mnemonicRole(*other) != MnemonicRole::OptionButton) continue;
        SendMessageW(other->handle(), BM_SETCHECK, BST_UNCHECKED, 0);
    }
    SendMessageW(chosen.handle(), BM_SETCHECK, BST_CHECKED, 0);
    chosen.fireEvent(0);
}

bool CWinFormUnit::onMnemonic(const MSG& message) {
    const auto key = static_cast<wchar_t>(message.wParam);
    const bool letterOrDigit = (key >= L'A' && key <= L'Z') || (key >= L'0' && key <= L'9');
    if (!letterOrDigit || currentKeyModifiers() != key_modifier::kAlt) return false;
    const std::vector<ComponentObject*> list = components();
    for (std::size_t i = 0; i < list.size(); ++i) {
        ComponentObject& component = *list[i];
        HWND window = component.handle();
        if (!IsWindowVisible(window) || !IsWindowEnabled(window)) continue;
        const MnemonicRole role = mnemonicRole(component);
        if (role == MnemonicRole::None || mnemonicKey(captionOf(window)) != key) continue;
        if (role == MnemonicRole::PointsOnward) {
            for (std::size_t j = i + 1; j < list.size(); ++j) {
                if (!isFocusCandidate(*list[j])) continue;
                SetFocus(list[j]->handle());
                return true;
            }
            return true;
        }
        SetFocus(window);
        switch (role) {
            case MnemonicRole::OptionButton: selectOptionButton(component, list); break;
            case MnemonicRole::CheckBox: {
                const bool checked = SendMessageW(window, BM_GETCHECK, 0, 0) == BST_CHECKED;
                SendMessageW(window, BM_SETCHECK, checked ? BST_UNCHECKED : BST_CHECKED, 0);
                component.fireEvent(0);
                break;
            }
            default: component.fireEvent(0); break;
        }
        return true;
    }
    return false;
}

bool CWinFormUnit::filteredByComponent(MSG& message) {
    if (!isUserInputMessage(message.message)) return false;
    for (ComponentObject* component : components()) {
        const ClassDescriptor* descriptor = services::classDescriptor(component->classId());
        if (descriptor == nullptr || (descriptor->flags & class_flag::kMessageFilter) == 0) continue;
        const auto filter = classRoutine<MessageFilterRoutine>(*descriptor, class_interface::kMessageFilter);
        if (filter != nullptr && filter(component, &message) != 0) return true;
    }
    return false;
}

bool CWinFormUnit::pressDefaultButton() {
    for (ComponentObject* component : components()) {
        if (classCallsDefault(*component) && IsWindowEnabled(component->handle())) {
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
        WinHelpW(handle(), file.c_str(), HELP_CONTEXT,
                 static_cast<ULONG_PTR>(static_cast<std::uint32_t>(data_.HelpContext)));
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
    if (component == nullptr || (component->classFlags() & class_flag_extra::kDragsWindow) == 0) return false;
    PostMessageW(handle(), WM_NCLBUTTONDOWN, HTCAPTION, where);
    return true;
}

bool CWinFormUnit::onKeyDown(const MSG& message) {
    const auto key = static_cast<std::uint32_t>(message.wParam);
    const std::uint32_t modifiers = currentKeyModifiers();
    ComponentObject* focused = focusedComponent();
    const bool conventionKey = key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE || key == VK_F1;
    if (conventionKey && focused != nullptr && classWantsKey(*focused, key)) return false;

    switch (key) {
        case VK_TAB:
            if (modifiers != 0 && modifiers != key_modifier::kShift) return false;
            moveFocus(focused, modifiers == 0, false);
            return true;
        case VK_RETURN:
            if (modifiers != 0) return false;
            if (focused != nullptr && classCallsDefault(*focused) && IsWindowEnabled(focused->handle())) {
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
            if (focused == nullptr || (focused->classFlags() & class_flag::kOptionButton) == 0) return false;
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
    if (filteredByComponent(message)) return true;
    if (message.message == WM_LBUTTONDOWN && data_.DragAnywhere && dragAnywhere(message)) return true;
    if (message.message == WM_KEYDOWN) return onKeyDown(message);
    if (message.message == WM_SYSKEYDOWN) return onMnemonic(message);
    return false;
}

}  // namespace veltrano
