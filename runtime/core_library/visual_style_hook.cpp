#include "runtime/core_library/visual_style_hook.h"

#include <uxtheme.h>

#include <array>
#include <new>
#include <unordered_map>
#include <unordered_set>

namespace veltrano::core_library {
namespace {

constexpr wchar_t kThemeName[] = L"Explorer";

constexpr std::array<std::wstring_view, 14> kThemedClasses = {L"Button",
                                                              L"Edit",
                                                              L"ComboBox",
                                                              L"ComboLBox",
                                                              L"ListBox",
                                                              L"ScrollBar",
                                                              L"msctls_progress32",
                                                              L"msctls_updown32",
                                                              L"msctls_trackbar32",
                                                              L"SysListView32",
                                                              L"SysTreeView32",
                                                              L"SysTabControl32",
                                                              L"SysHeader32",
                                                              L"ToolbarWindow32"};

// Controls created while the hook is in place, between their creation and
// their WM_CREATE, with the procedure they had. Per thread, like the hook;
// plain memory, since window properties cost the window system requests.
std::unordered_map<HWND, WNDPROC>& controlsBeingCreated() {
    thread_local auto* controls = new std::unordered_map<HWND, WNDPROC>;
    return *controls;
}

// The controls this thread's hook styled, so that removal finds exactly
// those. Plain memory again: a window property would cost a request to set
// and one to read for every control.
std::unordered_set<HWND>& styledControls() {
    thread_local auto* controls = new std::unordered_set<HWND>;
    return *controls;
}

bool belongsToThisThread(HWND window) noexcept {
    return GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
}

bool hasThemedClass(HWND window) noexcept {
    wchar_t className[64] = {};
    const int length = GetClassNameW(window, className, 64);
    return length > 0 && VisualStyleHook::isThemedClass({className, static_cast<std::size_t>(length)});
}

using WindowAction = void (*)(HWND) noexcept;

BOOL CALLBACK visitChild(HWND window, LPARAM action) noexcept {
    if (belongsToThisThread(window)) reinterpret_cast<WindowAction>(action)(window);
    return TRUE;
}

BOOL CALLBACK visitTopLevel(HWND window, LPARAM action) noexcept {
    reinterpret_cast<WindowAction>(action)(window);
    EnumChildWindows(window, &visitChild, action);
    return TRUE;
}

void forEachThreadWindow(WindowAction action) noexcept {
    EnumThreadWindows(GetCurrentThreadId(), &visitTopLevel, reinterpret_cast<LPARAM>(action));
}

}  // namespace

VisualStyleHook::VisualStyleHook() noexcept {
    forEachThreadWindow([](HWND window) noexcept {
        if (hasThemedClass(window)) style(window);
    });
    // Creation is all the hook needs to see. A hook on the window procedure
    // would be called for every message the thread sends, and under Wine
    // every call costs the window system three requests.
    hook_ = SetWindowsHookExW(WH_CBT, &VisualStyleHook::creationHook, nullptr, GetCurrentThreadId());
}

VisualStyleHook::~VisualStyleHook() {
    release();
}

bool VisualStyleHook::release() noexcept {
    forEachThreadWindow([](HWND window) noexcept { unstyle(window); });
    if (hook_ == nullptr) return false;
    const bool released = UnhookWindowsHookEx(hook_) != FALSE;
    hook_ = nullptr;
    return released;
}

bool VisualStyleHook::isThemedClass(std::wstring_view className) noexcept {
    for (const std::wstring_view themed : kThemedClasses) {
        if (themed.size() == className.size() &&
            CompareStringOrdinal(themed.data(), static_cast<int>(themed.size()), className.data(),
                                 static_cast<int>(className.size()), TRUE) == CSTR_EQUAL) {
            return true;
        }
    }
    return false;
}

bool VisualStyleHook::isStyled(HWND window) noexcept {
    return styledControls().count(window) != 0;
}

void VisualStyleHook::style(HWND window) noexcept {
    try {
        if (!styledControls().insert(window).second) return;
    } catch (const std::bad_alloc&) {
        return;  // left unstyled
    }
    SetWindowTheme(window, kThemeName, nullptr);
}

void VisualStyleHook::unstyle(HWND window) noexcept {
    if (styledControls().erase(window) == 0) return;
    SetWindowTheme(window, nullptr, nullptr);
}

LRESULT CALLBACK VisualStyleHook::creationHook(int code, WPARAM wParam, LPARAM lParam) noexcept {
    const auto window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_CREATEWND && hasThemedClass(window)) {
        // The control is not built yet: it is styled when its WM_CREATE
        // arrives, through a procedure that stands in for its own until then.
        try {
            WNDPROC& own = controlsBeingCreated()[window];
            own = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
                window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&VisualStyleHook::creationProcedure)));
            if (own == nullptr) controlsBeingCreated().erase(window);
        } catch (const std::bad_alloc&) {
            // left unstyled
        }
    } else if (code == HCBT_DESTROYWND) {
        // A later window may get the same handle.
        styledControls().erase(window);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK VisualStyleHook::creationProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    auto& controls = controlsBeingCreated();
    const auto found = controls.find(window);
    if (found == controls.end()) return DefWindowProcW(window, message, wParam, lParam);
    const WNDPROC own = found->second;
    if (message == WM_CREATE || message == WM_NCDESTROY) {
        if (message == WM_CREATE) style(window);
        // Its own procedure comes back before it hears WM_CREATE, so that
        // whatever it puts in its place stays there. Code that replaced this
        // procedure meanwhile keeps passing messages on through it.
        const auto ours = reinterpret_cast<LONG_PTR>(&VisualStyleHook::creationProcedure);
        if (GetWindowLongPtrW(window, GWLP_WNDPROC) == ours) {
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
            controls.erase(found);
        } else if (message == WM_NCDESTROY) {
            controls.erase(found);
        }
    }
    return CallWindowProcW(own, window, message, wParam, lParam);
}

}  // namespace veltrano::core_library
