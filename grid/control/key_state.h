#pragma once

#include <windows.h>

namespace veltrano::grid {

// Whether the key is down as of the message being handled.
inline bool keyHeld(int virtualKey) {
    return (GetKeyState(virtualKey) & 0x8000) != 0;
}

}  // namespace veltrano::grid
