#include "components/support/hidden_component_window.h"

namespace veltrano {
namespace {

bool registerPlainWindowClass(HINSTANCE instance, const wchar_t* className) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, className, &existing)) return true;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = &DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = className;
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

HWND createHiddenComponentWindow(const wchar_t* className, std::uint32_t style, bool designMode, HWND parent,
                                 std::uint32_t controlId, const RECT& bounds) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!registerPlainWindowClass(instance, className)) return nullptr;
    const DWORD frame = designMode ? WS_BORDER : 0;
    return CreateWindowExW(0, className, L"", style | WS_CHILD | WS_CLIPSIBLINGS | frame, bounds.left, bounds.top,
                           bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                           reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(controlId)), instance, nullptr);
}

}  // namespace veltrano
