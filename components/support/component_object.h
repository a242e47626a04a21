#pragma once

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>

#include "runtime/dispatch/event_arguments.h"
#include "runtime/kernel/window_object.h"

namespace veltrano {

// The common events every component fires from its own mouse, key and focus
// messages; numbers from 0 on belong to the component's class.
namespace common_event {
inline constexpr std::int32_t kMouseLeftDown = -1;
inline constexpr std::int32_t kMouseLeftUp = -2;
inline constexpr std::int32_t kDoubleClick = -3;
inline constexpr std::int32_t kMouseRightDown = -4;
inline constexpr std::int32_t kMouseRightUp = -5;
inline constexpr std::int32_t kMouseMove = -6;
inline constexpr std::int32_t kFocusGained = -7;
inline constexpr std::int32_t kFocusLost = -8;
inline constexpr std::int32_t kKeyDown = -9;
inline constexpr std::int32_t kKeyUp = -10;
inline constexpr std::int32_t kChar = -11;
inline constexpr std::int32_t kMouseWheel = -12;
}  // namespace common_event

// Class flags beyond the loader's that the window decides by.
namespace class_flag_extra {
inline constexpr std::uint32_t kNotifyWindowDestroy = 0x80000;
inline constexpr std::uint32_t kDragsWindow = 0x04000000;
}  // namespace class_flag_extra

// Modifier argument bits of the mouse, key and wheel events.
namespace key_modifier {
inline constexpr std::uint32_t kCtrl = 1;
inline constexpr std::uint32_t kShift = 2;
inline constexpr std::uint32_t kAlt = 4;
}  // namespace key_modifier

// The key code handlers see: the keypad's digits read as the digit keys and
// its minus, point and slash as the main keyboard's, so a handler needs one
// test per key whichever block it was typed on.
constexpr std::uint32_t commonKeyCode(std::uint32_t virtualKey) noexcept {
    if (virtualKey >= VK_NUMPAD0 && virtualKey <= VK_NUMPAD9) return '0' + (virtualKey - VK_NUMPAD0);
    if (virtualKey == VK_SUBTRACT) return 189;
    if (virtualKey == VK_DECIMAL) return 190;
    if (virtualKey == VK_DIVIDE) return 191;
    return virtualKey;
}

// The modifier bits from the thread's key state as of the message being
// handled.
std::uint32_t currentKeyModifiers() noexcept;

// What every component's object shares: its ids, its class, the events it
// fires and the common mouse, key and focus events of all components.
class ComponentObject : public WindowObject {
public:
    explicit ComponentObject(std::uint32_t classId) noexcept : classId_(classId) {}

    std::uint32_t classId() const noexcept { return classId_; }

    // Fires one of the component's events with one-word arguments; the
    // handler's result when it ran and returned one.
    std::optional<std::uint32_t> fireEvent(std::int32_t eventNumber, std::initializer_list<EventWord> arguments = {});
    // True when a handler ran.
    bool fireEventHandled(std::int32_t eventNumber, std::initializer_list<EventWord> arguments = {});
    // Typed arguments; the handler's result words when it returned one.
    std::optional<std::uint64_t> fireTypedEvent(std::int32_t eventNumber,
                                                std::span<const TypedEventArgument> arguments);

    // Asked by the window before it applies its own meaning to Tab, Enter,
    // Esc or F1 while this component has the focus: true keeps the key for
    // the component (a multi-line edit box's Enter, for instance).
    virtual bool wantsKey(std::uint32_t virtualKey) const {
        (void)virtualKey;
        return false;
    }
    // True for a button that Enter presses from anywhere in its window.
    virtual bool isDefaultButton() const { return false; }
    // The window this component lives in is being destroyed and its
    // components are still alive; offered only to classes that ask for it
    // with class_flag_extra::kNotifyWindowDestroy.
    virtual void onWindowDestroying() {}
    // Whether a help viewer was opened for this window. Only a window keeps
    // the mark, whoever opened the viewer, so that one quit, from F1's side
    // or a help dialog's, is known to all, and the window's end quits what
    // is still open.
    virtual void setHelpOpen(bool open) { (void)open; }
    virtual bool helpOpen() const { return false; }

    // The flags of the component's class, 0 when the runtime does not know
    // the class.
    std::uint32_t classFlags() const;

    // The object of a system window when it is a component's, else null.
    static ComponentObject* componentOf(HWND handle) noexcept;

protected:
    // Fires the common mouse and key events; a message a handler swallowed
    // never reaches the component's own handling or its control.
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The common event a message stands for and whether a handler refused
    // it; `wParam` receives a replacement character. For a class that
    // handles the input messages itself ahead of the shared handling.
    bool commonEventSwallows(UINT message, WPARAM& wParam, LPARAM lParam);

private:
    std::uint32_t classId_;
};

}  // namespace veltrano
