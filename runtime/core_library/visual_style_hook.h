#pragma once

#include <windows.h>

#include <string_view>

namespace veltrano::core_library {

// A consistent look for the standard controls of one thread: while the hook
// is installed, every control of a themed class on this thread, present or
// created later, carries the runtime's visual style. Only the drawing theme
// changes, never a control's size, font or behaviour.
class VisualStyleHook {
public:
    // Styles the thread's present controls and hooks the creation of later
    // ones; installed() tells whether the system took the hook.
    VisualStyleHook() noexcept;
    // Restores every styled control of the thread and releases the hook.
    ~VisualStyleHook();
    VisualStyleHook(const VisualStyleHook&) = delete;
    VisualStyleHook& operator=(const VisualStyleHook&) = delete;

    bool installed() const noexcept { return hook_ != nullptr; }
    // Releases the hook early; true when one was released.
    bool release() noexcept;

    static bool isThemedClass(std::wstring_view className) noexcept;
    static bool isStyled(HWND window) noexcept;

private:
    static LRESULT CALLBACK creationHook(int code, WPARAM wParam, LPARAM lParam) noexcept;
    static LRESULT CALLBACK creationProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    static void style(HWND window) noexcept;
    static void unstyle(HWND window) noexcept;

    HHOOK hook_ = nullptr;
};

}  // namespace veltrano::core_library
