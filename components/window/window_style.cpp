#include "components/window/window_style.h"

namespace veltrano::window_style {
namespace {

constexpr DWORD kTopStyleBits = WS_POPUP | WS_CHILD;
constexpr DWORD kFrameExtendedBits = WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW | WS_EX_CLIENTEDGE;

}  // namespace

bool sizable(int borderStyle) noexcept {
    return borderStyle == 1 || borderStyle == 3 || borderStyle == 5;
}

DWORD frameBits(int borderStyle, bool designMode) noexcept {
    DWORD bits = 0;
    if (borderStyle != 0 && !designMode) bits |= WS_DLGFRAME;
    if (sizable(borderStyle) && !designMode) bits |= WS_THICKFRAME;
    return bits;
}

DWORD frameExtendedBits(int borderStyle) noexcept {
    if (borderStyle == 3 || borderStyle == 4) return WS_EX_TOOLWINDOW;
    if (borderStyle == 5 || borderStyle == 6) return WS_EX_CLIENTEDGE;
    return 0;
}

DWORD captionAndBoxBits(const classdata::WindowData& data) noexcept {
    DWORD bits = 0;
    if (data.BorderStyle != 0) {
        if (!data.Caption.empty() || data.ControlBox) bits |= WS_CAPTION;
        if (data.ControlBox) bits |= WS_SYSMENU;
    }
    if (data.MaxButton) bits |= WS_MAXIMIZEBOX;
    if (data.MinButton) bits |= WS_MINIMIZEBOX;
    return bits;
}

DWORD reapplied(DWORD current, const classdata::WindowData& data, bool designMode) noexcept {
    const DWORD cleared = current & ~(WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MAXIMIZEBOX | WS_MINIMIZEBOX);
    return cleared | frameBits(data.BorderStyle, designMode) | captionAndBoxBits(data);
}

DWORD reappliedExtended(DWORD current, int borderStyle) noexcept {
    return (current & ~kFrameExtendedBits) | frameExtendedBits(borderStyle);
}

Styles forCreation(const classdata::WindowData& data, DWORD requested, bool designMode, bool hasOwner) noexcept {
    Styles styles;
    styles.style = requested | WS_CLIPCHILDREN | frameBits(data.BorderStyle, designMode) | captionAndBoxBits(data);
    styles.extendedStyle = frameExtendedBits(data.BorderStyle);
    if (!designMode) {
        if (data.StartPosition == 2) styles.style |= WS_MINIMIZE;
        if (data.StartPosition == 3 && sizable(data.BorderStyle)) styles.style |= WS_MAXIMIZE;
    }
    if (designMode) {
        styles.style = (styles.style & ~(kTopStyleBits | WS_THICKFRAME)) | WS_CHILD;
    } else if (hasOwner) {
        styles.style = (styles.style & ~kTopStyleBits) | WS_POPUP;
    }
    return styles;
}

POINT centred(int screenWidth, int screenHeight, int width, int height) noexcept {
    return POINT{(screenWidth - width) / 2, (screenHeight - height) / 2};
}

}  // namespace veltrano::window_style
