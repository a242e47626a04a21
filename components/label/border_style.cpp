#include "components/label/border_style.h"

namespace veltrano::drawing {

void applyBorderStyle(HWND window, int style) noexcept {
    LONG_PTR extended = GetWindowLongPtrW(window, GWL_EXSTYLE);
    LONG_PTR plain = GetWindowLongPtrW(window, GWL_STYLE);
    extended &= ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME | WS_EX_STATICEDGE);
    plain &= ~static_cast<LONG_PTR>(WS_BORDER);
    switch (style) {
        case 1: extended |= WS_EX_CLIENTEDGE; break;
        case 2: extended |= WS_EX_DLGMODALFRAME; break;
        case 3: extended |= WS_EX_STATICEDGE; break;
        case 4: extended |= WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME; break;
        case 5: plain |= WS_BORDER; break;
        default: break;
    }
    SetWindowLongPtrW(window, GWL_EXSTYLE, extended);
    SetWindowLongPtrW(window, GWL_STYLE, plain);
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace veltrano::drawing
