#include "runtime/kernel/window_object.h"

#include <commctrl.h>

#include <array>
#include <cstring>
#include <exception>
#include <new>
#include <unordered_map>

#include "runtime/kernel/window_object_host.h"

namespace veltrano {
namespace {

constexpr UINT kObjectOfWindowMessage = 0x8002;
// Messages find their object in the thread's table; lookups by handle from
// another thread use this window property.
constexpr wchar_t kObjectProperty[] = L"VeltranoWindowObject";

// A window whose procedure the runtime replaced. The object is null once it
// has been detached while something else had replaced the procedure after
// it: the runtime's procedure then stays in the chain and passes every
// message on until the window is gone.
struct SubclassedWindow {
    WindowObject* object = nullptr;
    WNDPROC previous = nullptr;
};

// Per thread, because a window's messages arrive on the thread that made it.
// Under Wine, window properties and the common controls' subclass chain are
// answered by the server, several requests for every message; this table is
// plain memory. It is never destroyed: windows still get their last messages
// while the program's static objects are destroyed, after the thread's own.
std::unordered_map<HWND, SubclassedWindow>& subclassedWindows() {
    thread_local auto* windows = new std::unordered_map<HWND, SubclassedWindow>;
    return *windows;
}

const SubclassedWindow* subclassedWindow(HWND handle) noexcept {
    const auto& windows = subclassedWindows();
    const auto found = windows.find(handle);
    return found == windows.end() ? nullptr : &found->second;
}

}  // namespace

WindowObject::~WindowObject() {
    deleting_ = true;
    if (handle_ != nullptr && IsWindow(handle_)) {
        DestroyWindow(handle_);
    }
    detach();
}

bool WindowObject::attach(HWND handle) noexcept {
    if (handle == nullptr || handle_ != nullptr || !IsWindow(handle) || fromHandle(handle) != nullptr) return false;
    // Its messages would arrive where this thread's table is not.
    if (GetWindowThreadProcessId(handle, nullptr) != GetCurrentThreadId()) return false;
    SubclassedWindow* entry = nullptr;
    try {
        entry = &subclassedWindows()[handle];
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (!SetPropW(handle, kObjectProperty, this)) {
        if (entry->previous == nullptr) subclassedWindows().erase(handle);
        return false;
    }
    // A window detached earlier may still have the runtime's procedure.
    if (entry->previous == nullptr) {
        entry->previous = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowObject::windowProcedure)));
        if (entry->previous == nullptr) {
            subclassedWindows().erase(handle);
            RemovePropW(handle, kObjectProperty);
            return false;
        }
    }
    entry->object = this;
    previousProcedure_ = entry->previous;
    handle_ = handle;
    return true;
}

HWND WindowObject::detach() noexcept {
    HWND handle = handle_;
    if (handle == nullptr) return nullptr;
    auto& windows = subclassedWindows();
    const auto found = windows.find(handle);
    if (found != windows.end()) {
        const auto ours = reinterpret_cast<LONG_PTR>(&WindowObject::windowProcedure);
        if (GetWindowLongPtrW(handle, GWLP_WNDPROC) == ours) {
            SetWindowLongPtrW(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(found->second.previous));
            windows.erase(found);
        } else {
            found->second.object = nullptr;
        }
    }
    RemovePropW(handle, kObjectProperty);
    handle_ = nullptr;
    previousProcedure_ = nullptr;
    return handle;
}

WindowObject* WindowObject::fromHandle(HWND handle) noexcept {
    if (handle == nullptr) return nullptr;
    if (const SubclassedWindow* entry = subclassedWindow(handle)) return entry->object;
    // Another thread's window, or one with no object (a look-up the window
    // system answers).
    if (GetWindowThreadProcessId(handle, nullptr) == GetCurrentThreadId()) return nullptr;
    return static_cast<WindowObject*>(GetPropW(handle, kObjectProperty));
}

LRESULT WindowObject::defaultProcedure(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcW(previousProcedure_, handle_, message, wParam, lParam);
}

LRESULT WindowObject::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // Code outside the runtime asks a window for its object this way.
    if (message == kObjectOfWindowMessage) return reinterpret_cast<LRESULT>(this);
    LRESULT reflected = 0;
    if (reflectToChild(message, wParam, lParam, reflected)) return reflected;
    return defaultProcedure(message, wParam, lParam);
}

// Controls report to their parent; the parent hands the report to the
// control's own object, which knows what it means for its component.
bool WindowObject::reflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_COMMAND: {
            if (lParam == 0) return false;
            WindowObject* child = fromHandle(reinterpret_cast<HWND>(lParam));
            if (child == nullptr || child == this) return false;
            result = 0;
            return child->onCommandNotification(HIWORD(wParam));
        }
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header == nullptr) return false;
            WindowObject* child = fromHandle(header->hwndFrom);
            if (child == nullptr || child == this) return false;
            result = 0;
            return child->onNotify(*header, result);
        }
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORLISTBOX: {
            WindowObject* child = fromHandle(reinterpret_cast<HWND>(lParam));
            if (child == nullptr || child == this) return false;
            HBRUSH brush = child->onControlColour(reinterpret_cast<HDC>(wParam), message);
            if (brush == nullptr) return false;
            result = reinterpret_cast<LRESULT>(brush);
            return true;
        }
        case WM_HSCROLL:
        case WM_VSCROLL: {
            if (lParam == 0) return false;
            WindowObject* child = fromHandle(reinterpret_cast<HWND>(lParam));
            if (child == nullptr || child == this) return false;
            result = 0;
            return child->onScrollNotification(message, wParam);
        }
        default: return false;
    }
}

// A component whose template gives it a pointer shows it over its own
// client area; elsewhere, and without one, the class's pointer applies.
bool WindowObject::showOwnCursor(WPARAM wParam, LPARAM lParam) const {
    if (reinterpret_cast<HWND>(wParam) != handle_ || LOWORD(lParam) != HTCLIENT || windowId_ == 0) return false;
    WindowObjectHost* host = WindowObjectHost::current();
    if (host == nullptr) return false;
    HCURSOR cursor = host->componentCursor(windowId_, componentId_);
    if (cursor == nullptr) return false;
    SetCursor(cursor);
    return true;
}

// Menu items and their accelerators report to the window with the item's
// command number and no control.
bool WindowObject::runMenuCommand(WPARAM wParam, LPARAM lParam) const {
    WindowObjectHost* host = WindowObjectHost::current();
    if (lParam != 0 || windowId_ == 0 || host == nullptr) return false;
    return host->runMenuCommand(windowId_, LOWORD(wParam));
}

LRESULT CALLBACK WindowObject::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    // The text is copied out: what() belongs to the exception, which is gone
    // once its handler ends. A fixed buffer, since nothing here may throw.
    std::array<char, 256> failure{};
    try {
        return routeMessage(window, message, wParam, lParam);
    } catch (const std::exception& error) {
        std::strncpy(failure.data(), error.what(), failure.size() - 1);
    } catch (...) {
        std::strncpy(failure.data(), "unexpected failure in a window procedure", failure.size() - 1);
    }
    if (WindowObjectHost* host = WindowObjectHost::current()) host->reportFailure(failure.data());
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT WindowObject::routeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const SubclassedWindow* entry = subclassedWindow(window);
    if (entry == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    WindowObject* object = entry->object;
    if (object == nullptr) {
        const WNDPROC previous = entry->previous;
        if (message == WM_NCDESTROY) subclassedWindows().erase(window);
        return CallWindowProcW(previous, window, message, wParam, lParam);
    }
    if (message == WM_SETCURSOR && object->showOwnCursor(wParam, lParam)) return TRUE;
    if (message == WM_COMMAND && object->runMenuCommand(wParam, lParam)) return 0;
    if (message == WM_DESTROY) object->closing_ = true;
    if (message != WM_NCDESTROY) return object->handleMessage(message, wParam, lParam);

    const LRESULT result = object->handleMessage(message, wParam, lParam);
    object->detach();
    // The window is going: nothing calls the runtime's procedure any more.
    subclassedWindows().erase(window);
    WindowObjectHost* host = WindowObjectHost::current();
    if (object->windowId_ != 0 && host != nullptr) host->componentWindowGone(object->windowId_, object->componentId_);
    if (!object->deleting_) delete object;
    return result;
}

}  // namespace veltrano
