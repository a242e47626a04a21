#include "components/support/component_object.h"

#include <algorithm>

#include "runtime/kernel/runtime_services.h"

namespace veltrano {

std::optional<std::uint32_t> ComponentObject::fireEvent(std::int32_t eventNumber,
                                                        std::initializer_list<std::uint32_t> arguments) {
    SimpleEventRecord record;
    record.windowId = windowId();
    record.componentId = componentId();
    record.eventNumber = eventNumber;
    record.argumentCount = static_cast<std::uint32_t>(std::min<std::size_t>(arguments.size(), 5));
    std::copy_n(arguments.begin(), record.argumentCount, record.arguments);
    if (!services::fireEvent(record) || record.resultPresent == 0) return std::nullopt;
    return record.result;
}

bool ComponentObject::fireEventHandled(std::int32_t eventNumber, std::initializer_list<std::uint32_t> arguments) {
    SimpleEventRecord record;
    record.windowId = windowId();
    record.componentId = componentId();
    record.eventNumber = eventNumber;
    record.argumentCount = static_cast<std::uint32_t>(std::min<std::size_t>(arguments.size(), 5));
    std::copy_n(arguments.begin(), record.argumentCount, record.arguments);
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

LRESULT ComponentObject::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return WindowObject::handleMessage(message, wParam, lParam);
}

}  // namespace veltrano
