#pragma once

#include <cstdint>
#include <span>

#include "runtime/kernel/event_handler.h"
#include "runtime/kernel/runtime_services.h"

namespace veltrano {

class RuntimeApplication;

// The handler the template binds to a component's event (component id 0:
// the window itself), or null: none bound, or events are being dropped
// because errorDepth is raised. Sets the current event source when found.
// A window or component that is not there is a fatal runtime error.
const EventHandlerEntry* findEventHandler(RuntimeApplication& runtime, std::uint32_t windowId,
                                          std::uint32_t componentId, std::int32_t eventNumber);

// Calls the bound handler with the argument words; false when none ran.
bool fireEventWords(RuntimeApplication& runtime, std::uint32_t windowId, std::uint32_t componentId,
                    std::int32_t eventNumber, std::span<const EventWord> words, EventResult& result);

bool fireSimpleEvent(RuntimeApplication& runtime, SimpleEventRecord& record);
bool fireTypedEventRecord(RuntimeApplication& runtime, TypedEventRecord& record);

}  // namespace veltrano
