#pragma once

#include <windows.h>

namespace veltrano {

// The runtime's object behind a system window (the window itself or one of
// its components). Objects are destroyed through the virtual destructor.
class WindowObject {
public:
    virtual ~WindowObject() = default;

    HWND handle() const noexcept { return handle_; }
    bool alive() const noexcept { return handle_ != nullptr && IsWindow(handle_); }

    // Offered each message addressed to this window or a descendant before
    // it is dispatched; true consumes it.
    virtual bool preTranslateMessage(MSG& message) {
        (void)message;
        return false;
    }
    // Offered idle time; true asks for more in this idle period.
    virtual bool onIdle(long elapsedMilliseconds) {
        (void)elapsedMilliseconds;
        return false;
    }

protected:
    void setHandle(HWND handle) noexcept { handle_ = handle; }

private:
    HWND handle_ = nullptr;
};

}  // namespace veltrano
