#pragma once

#include <windows.h>

namespace veltrano::drawing {

// Border styles shared by the label, the edit box and the progress bar:
// 0 none, 1 sunken edge, 2 dialog frame, 3 static edge, 4 sunken edge and
// dialog frame, 5 thin line. Any other value (the label's gradient frame,
// which it paints itself) adds no system frame.
void applyBorderStyle(HWND window, int style) noexcept;

}  // namespace veltrano::drawing
