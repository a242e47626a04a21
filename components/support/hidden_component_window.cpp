#include "components/support/hidden_component_window.h"

#include "components/support/plain_window_class.h"

namespace veltrano {

HWND createHiddenComponentWindow(const wchar_t* className, std::uint32_t style, bool designMode, HWND parent,
                                 std::uint32_t controlId, const RECT& bounds) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!ensurePlainWindowClass(instance, className, CS_DBLCLKS) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        return nullptr;
    }
    const DWORD frame = designMode ? WS_BORDER : 0;
    return CreateWindowExW(0, className, L"", style | WS_CHILD | WS_CLIPSIBLINGS | frame, bounds.left, bounds.top,
                           bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                           reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(controlId)), instance, nullptr);
}

}  // namespace veltrano
