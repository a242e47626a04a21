#include <cstring>
#include <memory>

#include "runtime/kernel/component_class.h"
#include "runtime/kernel/event_dispatch.h"
#include "runtime/kernel/menu_bar.h"
#include "runtime/kernel/runtime_application.h"
#include "runtime/kernel/runtime_text.h"
#include "runtime/kernel/service_codes.h"
#include "runtime/kernel/window_loader.h"
#include "runtime/kernel/window_object.h"
#include "runtime/values/type_codes.h"

namespace veltrano {
namespace {

std::int64_t wordOf(const void* pointer) {
    return static_cast<std::int64_t>(addressWord(pointer));
}

// Ids and counts arrive in the low half of an argument word.
std::uint32_t idOf(AddressWord word) {
    return static_cast<std::uint32_t>(word);
}

WindowObject* liveComponentObject(RuntimeApplication& runtime, std::uint32_t windowId, std::uint32_t componentId) {
    WindowTemplate* window = runtime.windowRegistry().find(windowId);
    if (window == nullptr || window->table.empty()) return nullptr;
    const std::optional<std::size_t> index =
        componentId == 0 ? std::optional<std::size_t>(0) : window->table.indexOf(componentId);
    if (!index) return nullptr;
    WindowObject* object = runtime.windowRegistry().objectInSlot(window->table, *index);
    return object != nullptr && object->alive() ? object : nullptr;
}

std::uint32_t classOfComponent(RuntimeApplication& runtime, std::uint32_t windowId, std::uint32_t componentId) {
    WindowTemplate* window = runtime.windowRegistry().find(windowId);
    if (window == nullptr || window->table.empty()) return 0;
    const std::optional<std::size_t> index =
        componentId == 0 ? std::optional<std::size_t>(0) : window->table.indexOf(componentId);
    const auto bytes = index ? window->table.recordAt(*index) : std::nullopt;
    if (!bytes || bytes->size() < 4) return 0;
    return static_cast<std::uint32_t>((*bytes)[0]) | (static_cast<std::uint32_t>((*bytes)[1]) << 8) |
           (static_cast<std::uint32_t>((*bytes)[2]) << 16) | (static_cast<std::uint32_t>((*bytes)[3]) << 24);
}

bool handleBelongsToComponent(RuntimeApplication& runtime, HWND handle) {
    WindowRegistry& registry = runtime.windowRegistry();
    for (std::size_t i = 0; i < registry.count(); ++i) {
        const WindowTemplate* window = registry.templateAt(i);
        if (window == nullptr) continue;
        for (std::size_t index = 1; index < window->table.count(); ++index) {
            const WindowObject* object = registry.objectInSlot(window->table, index);
            if (object != nullptr && object->handle() == handle) return true;
        }
    }
    return false;
}

// Objects handed out for plain system windows (service 1007).
class PlainWindowObject final : public WindowObject {};

}  // namespace

std::int64_t RuntimeApplication::serviceEntry(std::int32_t code, AddressWord argument1, AddressWord argument2) {
    if (!exists()) return 0;
    RuntimeApplication& runtime = current();
    switch (code) {
        case service::kDefaultIcons: {
            auto* words = addressFromWord<AddressWord>(argument1);
            words[0] = addressWord(runtime.defaultIcon(true));
            words[1] = addressWord(runtime.defaultIcon(false));
            return 0;
        }
        case service::kWindowRegistry: return wordOf(&runtime.registry_);
        case service::kClassDescriptor: return wordOf(runtime.classDescriptor(idOf(argument1)));
        case service::kNewObjectForHandle: {
            auto object = std::make_unique<PlainWindowObject>();
            if (!object->attach(addressFromWord<HWND__>(argument1))) return 0;
            return wordOf(object.release());
        }
        case service::kDestroyObject: delete addressFromWord<WindowObject>(argument1); return 0;
        case service::kDetachObject: {
            auto* object = addressFromWord<WindowObject>(argument1);
            return object ? wordOf(object->detach()) : 0;
        }
        case service::kHandleOfObject: {
            auto* object = addressFromWord<WindowObject>(argument1);
            return object ? wordOf(object->handle()) : 0;
        }
        case service::kAttachObject: {
            auto* object = addressFromWord<WindowObject>(argument2);
            return object && object->attach(addressFromWord<HWND__>(argument1)) ? 1 : 0;
        }
        case service::kIsComponentHandle:
            return handleBelongsToComponent(runtime, addressFromWord<HWND__>(argument1)) ? 1 : 0;
        case service::kComponentDestroyed: forgetComponentWindow(runtime, idOf(argument1), idOf(argument2)); return 0;
        case service::kLoadWindow: {
            const auto* record = addressFromWord<const LoadWindowRecord>(argument1);
            auto* owner = addressFromWord<WindowObject>(record->owner);
            LoadRequest request;
            request.windowId = record->windowId;
            request.modal = record->modal != 0;
            request.owner = owner ? owner->handle() : nullptr;
            return loadAndShowRegisteredWindow(runtime, request) ? 0 : -1;
        }
        case service::kComponentObject: return wordOf(liveComponentObject(runtime, idOf(argument1), idOf(argument2)));
        case service::kComponentObjectOrFail: {
            WindowObject* object = liveComponentObject(runtime, idOf(argument1), idOf(argument2));
            if (object == nullptr) {
                runtime.reportFatalError("指定窗口或窗口组件不存在或尚未载入", 0, idOf(argument1), idOf(argument2));
            }
            return wordOf(object);
        }
        case service::kFireEvent:
            return fireSimpleEvent(runtime, *addressFromWord<SimpleEventRecord>(argument1)) ? 1 : 0;
        case service::kFireTypedEvent:
            return fireTypedEventRecord(runtime, *addressFromWord<TypedEventRecord>(argument1)) ? 1 : 0;
        case service::kClassOfComponent: return classOfComponent(runtime, idOf(argument1), idOf(argument2));
        case service::kClassEventKind: {
            const ClassDescriptor* descriptor = runtime.classDescriptor(idOf(argument1));
            if (descriptor == nullptr) return 0;
            if ((descriptor->flags & class_flag::kFiresEvents04) != 0) return 2;
            return (descriptor->flags & class_flag::kFiresEvents40) != 0 ? 1 : 0;
        }
        case service::kAlwaysOne: return 1;
        case service::kVersion: return 0x70005;
        case service::kAddIdleHandler: {
            const auto* record = addressFromWord<const IdleHandlerRecord>(argument1);
            runtime.registerIdleHandler(addressFromWord<HWND__>(record->window),
                                        reinterpret_cast<IdleRoutine>(record->routine), record->argument);
            return 0;
        }
        case service::kRemoveIdleHandler: runtime.removeIdleHandler(addressFromWord<HWND__>(argument1)); return 0;
        case service::kNumericValue: {
            const auto* value = addressFromWord<const ValueTriple>(argument1);
            switch (value->type) {
                case type_code::kByte: return static_cast<std::uint8_t>(value->low);
                case type_code::kShort: return static_cast<std::int16_t>(value->low);
                case type_code::kInteger: return static_cast<std::int32_t>(value->low);
                case type_code::kLong:
                    return static_cast<std::int64_t>((static_cast<std::uint64_t>(value->high) << 32) | value->low);
                case type_code::kFloat: {
                    float f;
                    std::memcpy(&f, &value->low, sizeof f);
                    const double d = f;
                    std::int64_t bits;
                    std::memcpy(&bits, &d, sizeof bits);
                    return bits;
                }
                case type_code::kDouble:
                    return static_cast<std::int64_t>((static_cast<std::uint64_t>(value->high) << 32) | value->low);
                default: runtime.reportFatalError("欲转换数据类型不是数值", 0, 0, 0);
            }
        }
        case service::kRunDirectory: return wordOf(runtime.runDirectory_.c_str());
        case service::kProgramFileName: return wordOf(runtime.programFileName_.c_str());
        case service::kSuppressEvents:
            runtime.processPendingMessages();
            runtime.raiseErrorDepth();
            return 0;
        case service::kAllowEvents:
            runtime.processPendingMessages();
            runtime.lowerErrorDepth();
            return 0;
        case service::kCurrentEventSource: {
            std::uint32_t windowId = 0;
            std::uint32_t componentId = 0;
            if (!runtime.eventSource(windowId, componentId)) return 0;
            auto* words = addressFromWord<std::uint32_t>(argument1);
            words[0] = windowId;
            words[1] = componentId;
            return 1;
        }
        case service::kProcessPendingMessages: return runtime.processPendingMessages() ? 1 : 0;
        case service::kFreeArray: runtime.heap_.freeArray(idOf(argument1), addressFromWord<void>(argument2)); return 0;
        case service::kAllocate:
            return wordOf(argument2 ? runtime.heap_.allocateQuietly(argument1) : runtime.heap_.allocate(argument1));
        case service::kFree: runtime.heap_.free(addressFromWord<void>(argument1)); return 0;
        case service::kReallocate: return wordOf(runtime.heap_.reallocate(addressFromWord<void>(argument1), argument2));
        case service::kFatalMessage:
            runtime.reportFatalError(textView(addressFromWord<const char>(argument1)), 0, 0, 0);
        case service::kExitProcess: runtime.exitProcess(static_cast<std::int32_t>(argument1));
        case service::kRunMode: return runtime.runMode_;
        case service::kWindowCount: return static_cast<std::int64_t>(runtime.registry_.count());
        case service::kWindowHandle: return wordOf(runtime.registry_.liveHandle(idOf(argument1)));
        case service::kRebuildMenu: rebuildWindowMenu(runtime, idOf(argument1)); return 0;
        default: return 0;
    }
}

}  // namespace veltrano
