#include "runtime/kernel/event_dispatch.h"

#include <vector>

#include "runtime/kernel/component_class.h"
#include "runtime/kernel/runtime_application.h"
#include "runtime/template/component_record.h"
#include "runtime/template/menu_item_record.h"

namespace veltrano {
namespace {

constexpr std::uint32_t kMenuItemClass = 0x00010003;
constexpr std::uint32_t kHandlerOffsetStride = 4;

std::optional<ComponentRecord> recordAtIndex(const ComponentTable& table, std::size_t index) {
    const auto bytes = table.recordAt(index);
    if (!bytes) return std::nullopt;
    return ComponentRecord::parse(*bytes);
}

// An event link hands a record's bindings to another record of the same
// class; a chain that loops would never end, so it is walked at most once
// around the table.
std::size_t bindingSource(const ComponentTable& table, std::size_t index, std::uint32_t classId) {
    for (std::size_t steps = 0; steps < table.count(); ++steps) {
        const auto record = recordAtIndex(table, index);
        if (!record || record->eventLink == 0) break;
        const std::optional<std::size_t> linked = table.indexOf(record->eventLink);
        if (!linked || table.isMenuItemAt(*linked)) break;
        const auto linkedRecord = recordAtIndex(table, *linked);
        if (!linkedRecord || linkedRecord->classId != classId) break;
        index = *linked;
    }
    return index;
}

// A bound handler is the relocation base plus the handler's offset, and
// offsets count entries of one 32-bit word each. Where an entry is wider (a
// 64-bit build) the offset still names the same entry by its number.
const EventHandlerEntry* handlerEntryAt(RuntimeApplication& runtime, std::uint32_t handler) {
    const auto* entries = static_cast<const EventHandlerEntry*>(runtime.codeBase());
    const std::uint32_t offset = handler - runtime.handlerRelocationBase();
    return entries + offset / kHandlerOffsetStride;
}

}  // namespace

const EventHandlerEntry* findEventHandler(RuntimeApplication& runtime, std::uint32_t windowId,
                                          std::uint32_t componentId, std::int32_t eventNumber) {
    if (runtime.errorDepth() >= 1) return nullptr;
    WindowTemplate* window = runtime.windowRegistry().find(windowId);
    if (window == nullptr) runtime.reportFatalError("未找到引发事件的窗口", 0, windowId, 0);
    const ComponentTable& table = window->table;
    std::optional<std::size_t> index = componentId == 0 ? std::optional<std::size_t>(0) : table.indexOf(componentId);
    if (!index || table.empty()) runtime.reportFatalError("未找到引发事件的窗口组件", 0, windowId, componentId);

    std::uint32_t handler = 0;
    if (table.isMenuItemAt(*index)) {
        const auto bytes = table.recordAt(*index);
        const auto item = bytes ? MenuItemRecord::parse(*bytes) : std::nullopt;
        if (!item) runtime.reportFatalError("引发事件的窗口组件无效", 0, windowId, componentId);
        handler = item->handler;
    } else {
        const auto record = recordAtIndex(table, *index);
        if (!record) runtime.reportFatalError("引发事件的窗口组件无效", 0, windowId, componentId);
        const ClassDescriptor* descriptor = runtime.classDescriptor(record->classId);
        if (descriptor == nullptr ||
            (descriptor->flags & (class_flag::kFiresEvents04 | class_flag::kFiresEvents40)) == 0) {
            runtime.reportFatalError("引发事件的窗口组件无效", 0, windowId, componentId);
        }
        const std::size_t source =
            record->classId == kMenuItemClass ? *index : bindingSource(table, *index, record->classId);
        const auto sourceRecord = recordAtIndex(table, source);
        if (!sourceRecord) return nullptr;
        for (const EventBinding& binding : sourceRecord->bindings()) {
            if (binding.event == eventNumber) {
                handler = binding.handler;
                break;
            }
        }
    }
    if (handler == 0) return nullptr;
    runtime.setEventSource(windowId, componentId == 0 ? table.idAt(0) : componentId);
    return handlerEntryAt(runtime, handler);
}

bool fireEventWords(RuntimeApplication& runtime, std::uint32_t windowId, std::uint32_t componentId,
                    std::int32_t eventNumber, std::span<const EventWord> words, EventResult& result) {
    const EventHandlerEntry* entry = findEventHandler(runtime, windowId, componentId, eventNumber);
    if (entry == nullptr || entry->function == nullptr) {
        runtime.clearEventSource();
        return false;
    }
    result = EventResult{};
    entry->function(words.data(), words.size(), result);
    runtime.clearEventSource();
    return true;
}

bool fireSimpleEvent(RuntimeApplication& runtime, SimpleEventRecord& record) {
    const std::size_t count = record.argumentCount > 5 ? 5 : record.argumentCount;
    EventResult result;
    if (!fireEventWords(runtime, record.windowId, record.componentId, record.eventNumber,
                        std::span<const EventWord>(record.arguments, count), result)) {
        return false;
    }
    if (result.present) {
        record.resultPresent = 1;
        record.result = result.low;
    }
    return true;
}

bool fireTypedEventRecord(RuntimeApplication& runtime, TypedEventRecord& record) {
    const std::size_t count = record.argumentCount > 12 ? 12 : record.argumentCount;
    const std::vector<EventWord> words =
        packTypedEventArguments(std::span<const TypedEventArgument>(record.arguments, count));
    EventResult result;
    if (!fireEventWords(runtime, record.windowId, record.componentId, record.eventNumber, words, result)) {
        return false;
    }
    if (result.present) {
        record.resultPresent = 1;
        record.resultLow = result.low;
        record.resultHigh = result.high;
    }
    return true;
}

}  // namespace veltrano
