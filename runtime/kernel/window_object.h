#pragma once

#include <windows.h>

#include <cstdint>
#include <utility>

namespace veltrano {

// The user's keyboard and mouse input, client and non-client. Only these
// are pre-translated: timer ticks and painting (a hundred ticks a second
// while a port is polled) pass by without the walks over windows and
// components, whose lookups are server requests under Wine.
inline bool isUserInputMessage(UINT message) noexcept {
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK);
}

// The runtime's object behind a system window (the window itself or one of
// its components). The object replaces the window's procedure and is found
// again in a table of this thread's windows, so a message reaches its object
// without asking the window system anything.
//
// Lifetime: an attached object deletes itself after its system window's last
// message (WM_NCDESTROY) unless it is already being deleted; deleting an
// object whose system window is alive destroys that window. Either way the
// runtime is told the component is gone. Derived classes release their own
// resources in their destructors.
class WindowObject {
public:
    WindowObject() = default;
    WindowObject(const WindowObject&) = delete;
    WindowObject& operator=(const WindowObject&) = delete;
    virtual ~WindowObject();

    HWND handle() const noexcept { return handle_; }
    bool alive() const noexcept { return handle_ != nullptr && IsWindow(handle_); }

    // Attaches when the handle has no object yet and this object no handle.
    bool attach(HWND handle) noexcept;
    // Detaches and hands back the system window, which lives on.
    HWND detach() noexcept;
    // The object attached to a system window, or null.
    static WindowObject* fromHandle(HWND handle) noexcept;

    // The ids the object was created for (0 for objects made by service 1007).
    std::uint32_t windowId() const noexcept { return windowId_; }
    std::uint32_t componentId() const noexcept { return componentId_; }
    void setIds(std::uint32_t windowId, std::uint32_t componentId) noexcept {
        windowId_ = windowId;
        componentId_ = componentId;
    }

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

    // Only the window's own object answers these: how the loader shows it
    // first, and whether it was created by a reload.
    virtual int startShowCommand() const { return SW_SHOWNORMAL; }
    virtual void setReloaded(bool reloaded) { (void)reloaded; }
    // A window loaded as modal keeps the windows the loader disabled for it
    // and enables them again when it goes.
    virtual void setModal(bool modal) { (void)modal; }
    virtual void rememberDisabledWindow(HWND window, bool wasEnabled) {
        (void)window;
        (void)wasEnabled;
    }

    // The window's accelerator table, owned from now on (null: none); only
    // the window's own object keeps and uses one.
    virtual void setAccelerators(HACCEL accelerators) {
        if (accelerators != nullptr) DestroyAcceleratorTable(accelerators);
    }

    // From its window's WM_DESTROY on the object is closing: the window is
    // on its way out, however much of it still answers.
    bool closing() const noexcept { return closing_; }

    // How the loader made the window, for the first show after the load: as
    // modal (the show then runs its nested loop), or by a reload (shown
    // plainly, whatever its start state).
    void setLoadState(bool modal, bool reloaded) noexcept {
        loadedModal_ = modal;
        loadedByReload_ = reloaded;
    }
    bool loadedModal() const noexcept { return loadedModal_; }
    bool loadedByReload() const noexcept { return loadedByReload_; }

    // Set when a load has finished and cleared by the first show that
    // follows, so a window is not shown twice for one load.
    void setLoadedMark(bool loaded) noexcept { loadedMark_ = loaded; }
    bool takeLoadedMark() noexcept { return std::exchange(loadedMark_, false); }

    // A notification a child control sent its parent (WM_COMMAND with the
    // child's handle), handed to the child's object; true when handled.
    virtual bool onCommandNotification(int code) {
        (void)code;
        return false;
    }
    // WM_NOTIFY, handed to the sender's object; true when handled.
    virtual bool onNotify(const NMHDR& header, LRESULT& result) {
        (void)header;
        (void)result;
        return false;
    }
    // WM_CTLCOLOR*, handed to the child's object: a brush, or null for the
    // parent's default.
    virtual HBRUSH onControlColour(HDC dc, UINT message) {
        (void)dc;
        (void)message;
        return nullptr;
    }
    // WM_HSCROLL / WM_VSCROLL from a child control (an up-down, a scroll bar).
    virtual bool onScrollNotification(UINT message, WPARAM wParam) {
        (void)message;
        (void)wParam;
        return false;
    }

protected:
    // Every message of the attached window comes here first.
    virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // The window procedure the object's window had before it was attached.
    LRESULT defaultProcedure(UINT message, WPARAM wParam, LPARAM lParam);

private:
    // Nothing may unwind into the system's frames: a failure inside becomes
    // the runtime's fatal report.
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    static LRESULT routeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool reflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool showOwnCursor(WPARAM wParam, LPARAM lParam) const;
    bool runMenuCommand(WPARAM wParam, LPARAM lParam) const;

    HWND handle_ = nullptr;
    // What the window called before the object was attached.
    WNDPROC previousProcedure_ = nullptr;
    std::uint32_t windowId_ = 0;
    std::uint32_t componentId_ = 0;
    bool deleting_ = false;
    bool closing_ = false;
    bool loadedMark_ = false;
    bool loadedModal_ = false;
    bool loadedByReload_ = false;
};

}  // namespace veltrano
