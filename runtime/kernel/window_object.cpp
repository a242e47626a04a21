#include "runtime/kernel/window_object.h"

#include <commctrl.h>

#include "runtime/kernel/component_lifetime.h"
#include "runtime/kernel/menu_bar.h"
#include "runtime/kernel/runtime_application.h"
#include "runtime/kernel/window_loader.h"

namespace veltrano {
namespace {

constexpr UINT_PTR kSubclassId = 0x5645;  // one subclass per window: ours
constexpr UINT kObjectOfWindowMessage = 0x8002;
// Messages find their object in the subclass data; lookups by handle from
// outside a message use this window property.
constexpr wchar_t kObjectProperty[] = L"VeltranoWindowObject";

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
    if (!SetPropW(handle, kObjectProperty, this)) return false;
    if (!SetWindowSubclass(handle, &WindowObject::subclassProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
        RemovePropW(handle, kObjectProperty);
        return false;
    }
    handle_ = handle;
    return true;
}

HWND WindowObject::detach() noexcept {
    HWND handle = handle_;
    if (handle != nullptr) {
        RemoveWindowSubclass(handle, &WindowObject::subclassProcedure, kSubclassId);
        RemovePropW(handle, kObjectProperty);
        handle_ = nullptr;
    }
    return handle;
}

WindowObject* WindowObject::fromHandle(HWND handle) noexcept {
    if (handle == nullptr) return nullptr;
    return static_cast<WindowObject*>(GetPropW(handle, kObjectProperty));
}

LRESULT WindowObject::defaultProcedure(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefSubclassProc(handle_, message, wParam, lParam);
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
    if (!RuntimeApplication::exists()) return false;
    HCURSOR cursor = componentCursor(RuntimeApplication::current(), windowId_, componentId_);
    if (cursor == nullptr) return false;
    SetCursor(cursor);
    return true;
}

// Menu items and their accelerators report to the window with the item's
// command number and no control.
bool WindowObject::runMenuCommand(WPARAM wParam, LPARAM lParam) const {
    if (lParam != 0 || windowId_ == 0 || !RuntimeApplication::exists()) return false;
    return veltrano::runMenuCommand(RuntimeApplication::current(), windowId_, LOWORD(wParam));
}

LRESULT CALLBACK WindowObject::subclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                 DWORD_PTR data) {
    auto* object = reinterpret_cast<WindowObject*>(data);
    if (message == WM_SETCURSOR && object->showOwnCursor(wParam, lParam)) return TRUE;
    if (message == WM_COMMAND && object->runMenuCommand(wParam, lParam)) return 0;
    if (message != WM_NCDESTROY) return object->handleMessage(message, wParam, lParam);

    const LRESULT result = object->handleMessage(message, wParam, lParam);
    RemoveWindowSubclass(window, &WindowObject::subclassProcedure, kSubclassId);
    RemovePropW(window, kObjectProperty);
    object->handle_ = nullptr;
    if (object->windowId_ != 0) componentWindowGone(object->windowId_, object->componentId_);
    if (!object->deleting_) delete object;
    return result;
}

}  // namespace veltrano
