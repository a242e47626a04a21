#pragma once

#include <windows.h>

#include <cstdint>

namespace veltrano {

// The window of a component that shows nothing of its own while the program
// runs (a timer, a common dialog): a plain child window of the component's
// own window class, registered on first use, and framed in a designer so that
// it can be seen and picked there. Null when the window cannot be made.
HWND createHiddenComponentWindow(const wchar_t* className, std::uint32_t style, bool designMode, HWND parent,
                                 std::uint32_t controlId, const RECT& bounds);

}  // namespace veltrano
