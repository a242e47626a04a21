#pragma once

#include <windows.h>

#include <cstdint>

namespace veltrano {

// What a window object asks of the runtime that loaded it, for the messages
// it cannot answer alone: its template's pointer, its window's menu commands
// and the bookkeeping once its system window is gone. The runtime registers
// itself for its lifetime; without one, objects leave these to the system.
class WindowObjectHost {
public:
    WindowObjectHost(const WindowObjectHost&) = delete;
    WindowObjectHost& operator=(const WindowObjectHost&) = delete;

    // The registered host, or null.
    static WindowObjectHost* current() noexcept;

    // The pointer the component's template gives it, or null: the class's
    // pointer applies.
    virtual HCURSOR componentCursor(std::uint32_t windowId, std::uint32_t componentId) = 0;
    // False for a command number that names no menu item of the window.
    virtual bool runMenuCommand(std::uint32_t windowId, UINT command) = 0;
    // A component's (or, with the window's own id, the window's) system
    // window is gone.
    virtual void componentWindowGone(std::uint32_t windowId, std::uint32_t componentId) = 0;
    // A window procedure failed; the report ends the program.
    virtual void reportFailure(const char* what) noexcept = 0;

protected:
    WindowObjectHost() noexcept;
    ~WindowObjectHost();
};

}  // namespace veltrano
