#pragma once

#include <windows.h>

#include "components/classdata/window_data.h"

namespace veltrano::window_style {

inline constexpr int kMaxBorderStyle = 6;
inline constexpr int kMaxPictureMode = 3;
inline constexpr int kMaxSoundPlayMode = 2;
inline constexpr int kMaxStartPosition = 3;
inline constexpr int kMaxShape = 29;

// Enumerated values are kept inside their range rather than refused.
constexpr int clampChoice(int value, int maximum) noexcept {
    return value < 0 ? 0 : (value > maximum ? maximum : value);
}

struct Styles {
    DWORD style = 0;
    DWORD extendedStyle = 0;
};

// Sizable frames: 1, 3 and 5.
bool sizable(int borderStyle) noexcept;

// The frame's own style bits (the dialog frame outside design mode, the
// sizing border) and extended bits (tool window, client edge).
DWORD frameBits(int borderStyle, bool designMode) noexcept;
DWORD frameExtendedBits(int borderStyle) noexcept;

// Title bar, system menu and the minimise and maximise boxes.
DWORD captionAndBoxBits(const classdata::WindowData& data) noexcept;

// A live window's style with the frame, caption and box bits replaced by
// what the properties ask for now.
DWORD reapplied(DWORD current, const classdata::WindowData& data, bool designMode) noexcept;
DWORD reappliedExtended(DWORD current, int borderStyle) noexcept;

// The styles a window is created with; `requested` comes from the loader.
Styles forCreation(const classdata::WindowData& data, DWORD requested, bool designMode, bool hasOwner) noexcept;

// The top-left corner that centres an outer rectangle on the screen.
POINT centred(int screenWidth, int screenHeight, int width, int height) noexcept;

}  // namespace veltrano::window_style
