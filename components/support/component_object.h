#pragma once

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>

#include "runtime/dispatch/event_arguments.h"
#include "runtime/kernel/window_object.h"

namespace veltrano {

// What every component's object shares: its ids, its class, the events it
// fires and the common mouse, key and focus events of all components.
class ComponentObject : public WindowObject {
public:
    explicit ComponentObject(std::uint32_t classId) noexcept : classId_(classId) {}

    std::uint32_t classId() const noexcept { return classId_; }

    // Fires one of the component's events with one-word arguments; the
    // handler's result when it ran and returned one.
    std::optional<std::uint32_t> fireEvent(std::int32_t eventNumber, std::initializer_list<std::uint32_t> arguments = {});
    // True when a handler ran.
    bool fireEventHandled(std::int32_t eventNumber, std::initializer_list<std::uint32_t> arguments = {});
    // Typed arguments; the handler's result words when it returned one.
    std::optional<std::uint64_t> fireTypedEvent(std::int32_t eventNumber, std::span<const TypedEventArgument> arguments);

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::uint32_t classId_;
};

}  // namespace veltrano
