#pragma once

#include <windows.h>

namespace veltrano {

// Registers, unless the module already has it, a window class whose windows
// run the system's default procedure under the arrow cursor; their objects
// take the messages over once attached. True when the class is there.
bool ensurePlainWindowClass(HINSTANCE instance, const wchar_t* name, UINT classStyle);

}  // namespace veltrano
