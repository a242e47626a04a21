#include "runtime/core_library/visual_style_hook.h"

#include <uxtheme.h>

#include <array>

namespace veltrano::core_library {
namespace {

// Marks a styled control so that removal finds exactly those it styled.
constexpr wchar_t kStyledMark[] = L"Veltrano.VisualStyle";
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
    hook_ = SetWindowsHookExW(WH_CALLWNDPROC, &VisualStyleHook::callWindowProcedure, nullptr, GetCurrentThreadId());
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
    return GetPropW(window, kStyledMark) != nullptr;
}

void VisualStyleHook::style(HWND window) noexcept {
    if (isStyled(window)) return;
    SetPropW(window, kStyledMark, reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(1)));
    SetWindowTheme(window, kThemeName, nullptr);
}

void VisualStyleHook::unstyle(HWND window) noexcept {
    if (!isStyled(window)) return;
    RemovePropW(window, kStyledMark);
    SetWindowTheme(window, nullptr, nullptr);
}

LRESULT CALLBACK VisualStyleHook::callWindowProcedure(int code, WPARAM wParam, LPARAM lParam) noexcept {
    if (code == HC_ACTION) {
        const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (message->message == WM_CREATE && hasThemedClass(message->hwnd)) {
            style(message->hwnd);
        } else if (message->message == WM_NCDESTROY && isStyled(message->hwnd)) {
            RemovePropW(message->hwnd, kStyledMark);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace veltrano::core_library
