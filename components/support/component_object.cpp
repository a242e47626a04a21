#include "components/support/component_object.h"

#include <windowsx.h>

#include <algorithm>
#include <iterator>

#include "runtime/kernel/component_class.h"
#include "runtime/kernel/runtime_services.h"

namespace veltrano {
namespace {

std::uint32_t word(int value) noexcept {
    return static_cast<std::uint32_t>(value);
}

bool refused(const std::optional<std::uint32_t>& result) noexcept {
    return result.has_value() && *result == 0;
}

// Arguments beyond what the record holds are left out.
SimpleEventRecord simpleEventRecord(std::uint32_t windowId, std::uint32_t componentId, std::int32_t eventNumber,
                                    std::initializer_list<EventWord> arguments) noexcept {
    SimpleEventRecord record;
    record.windowId = windowId;
    record.componentId = componentId;
    record.eventNumber = eventNumber;
    record.argumentCount =
        static_cast<std::uint32_t>(std::min<std::size_t>(arguments.size(), std::size(record.arguments)));
    std::copy_n(arguments.begin(), record.argumentCount, record.arguments);
    return record;
}

}  // namespace

std::uint32_t currentKeyModifiers() noexcept {
    std::uint32_t modifiers = 0;
    if (GetKeyState(VK_CONTROL) < 0) modifiers |= key_modifier::kCtrl;
    if (GetKeyState(VK_SHIFT) < 0) modifiers |= key_modifier::kShift;
    if (GetKeyState(VK_MENU) < 0) modifiers |= key_modifier::kAlt;
    return modifiers;
}

std::uint32_t ComponentObject::classFlags() const {
    const ClassDescriptor* descriptor = services::classDescriptor(classId_);
    return descriptor != nullptr ? descriptor->flags : 0;
}

ComponentObject* ComponentObject::componentOf(HWND handle) noexcept {
    return dynamic_cast<ComponentObject*>(WindowObject::fromHandle(handle));
}

std::optional<std::uint32_t> ComponentObject::fireEvent(std::int32_t eventNumber,
                                                        std::initializer_list<EventWord> arguments) {
    SimpleEventRecord record = simpleEventRecord(windowId(), componentId(), eventNumber, arguments);
    if (!services::fireEvent(record) || record.resultPresent == 0) return std::nullopt;
    return record.result;
}

bool ComponentObject::fireEventHandled(std::int32_t eventNumber, std::initializer_list<EventWord> arguments) {
    SimpleEventRecord record = simpleEventRecord(windowId(), componentId(), eventNumber, arguments);
    return services::fireEvent(record);
}

std::optional<std::uint64_t> ComponentObject::fireTypedEvent(std::int32_t eventNumber,
                                                             std::span<const TypedEventArgument> arguments) {
    TypedEventRecord record;
    record.windowId = windowId();
    record.componentId = componentId();
    record.eventNumber = eventNumber;
    record.argumentCount = static_cast<std::uint32_t>(std::min<std::size_t>(arguments.size(), 12));
    std::copy_n(arguments.begin(), record.argumentCount, record.arguments);
    if (!services::fireTypedEvent(record) || record.resultPresent == 0) return std::nullopt;
    return (static_cast<std::uint64_t>(record.resultHigh) << 32) | record.resultLow;
}

bool ComponentObject::commonEventSwallows(UINT message, WPARAM& wParam, LPARAM lParam) {
    const auto mouse = [&](std::int32_t event) {
        return refused(
            fireEvent(event, {word(GET_X_LPARAM(lParam)), word(GET_Y_LPARAM(lParam)), currentKeyModifiers()}));
    };
    switch (message) {
        case WM_LBUTTONDOWN: return mouse(common_event::kMouseLeftDown);
        case WM_LBUTTONUP: return mouse(common_event::kMouseLeftUp);
        case WM_LBUTTONDBLCLK: return mouse(common_event::kDoubleClick);
        case WM_RBUTTONDOWN: return mouse(common_event::kMouseRightDown);
        case WM_RBUTTONUP: return mouse(common_event::kMouseRightUp);
        case WM_MOUSEMOVE: return mouse(common_event::kMouseMove);
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            return refused(fireEvent(common_event::kKeyDown,
                                     {commonKeyCode(static_cast<std::uint32_t>(wParam)), currentKeyModifiers()}));
        case WM_KEYUP:
        case WM_SYSKEYUP:
            return refused(fireEvent(common_event::kKeyUp,
                                     {commonKeyCode(static_cast<std::uint32_t>(wParam)), currentKeyModifiers()}));
        case WM_CHAR: {
            const auto result = fireEvent(common_event::kChar, {static_cast<std::uint32_t>(wParam)});
            if (!result) return false;
            if (*result == 0) return true;
            wParam = *result;
            return false;
        }
        case WM_MOUSEWHEEL:
            return refused(fireEvent(common_event::kMouseWheel,
                                     {word(GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA), currentKeyModifiers()}));
        default: return false;
    }
}

LRESULT ComponentObject::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (commonEventSwallows(message, wParam, lParam)) return 0;
    return WindowObject::handleMessage(message, wParam, lParam);
}

}  // namespace veltrano
