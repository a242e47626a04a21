#include <cstring>

#include "runtime/kernel/runtime_application.h"
#include "runtime/kernel/runtime_text.h"
#include "runtime/values/type_codes.h"

namespace veltrano {
namespace {

// Service codes answered here; the others follow as their facilities land.
namespace service {
inline constexpr std::int32_t kAlwaysOne = 1004;
inline constexpr std::int32_t kVersion = 1005;
inline constexpr std::int32_t kAddIdleHandler = 1012;
inline constexpr std::int32_t kRemoveIdleHandler = 1013;
inline constexpr std::int32_t kNumericValue = 2001;
inline constexpr std::int32_t kRunDirectory = 2003;
inline constexpr std::int32_t kProgramFileName = 2004;
inline constexpr std::int32_t kSuppressEvents = 2009;
inline constexpr std::int32_t kAllowEvents = 2010;
inline constexpr std::int32_t kCurrentEventSource = 2017;
inline constexpr std::int32_t kProcessPendingMessages = 2018;
inline constexpr std::int32_t kFreeArray = 2023;
inline constexpr std::int32_t kAllocate = 2024;
inline constexpr std::int32_t kFree = 2025;
inline constexpr std::int32_t kReallocate = 2026;
inline constexpr std::int32_t kFatalMessage = 2027;
inline constexpr std::int32_t kExitProcess = 2028;
inline constexpr std::int32_t kRunMode = 2030;
inline constexpr std::int32_t kWindowCount = 2032;
inline constexpr std::int32_t kWindowHandle = 2033;
}  // namespace service

template <typename T>
T* pointerFrom(std::uint32_t word) {
    return reinterpret_cast<T*>(static_cast<std::uintptr_t>(word));
}

std::int64_t wordOf(const void* pointer) {
    return static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(pointer));
}

struct IdleHandlerRecord {
    std::uint32_t window;
    std::uint32_t routine;
    std::uint32_t argument;
};

}  // namespace

std::int64_t RuntimeApplication::serviceEntry(std::int32_t code, std::uint32_t argument1, std::uint32_t argument2) {
    if (!exists()) return 0;
    RuntimeApplication& runtime = current();
    switch (code) {
        case service::kAlwaysOne: return 1;
        case service::kVersion: return 0x70005;
        case service::kAddIdleHandler: {
            const auto* record = pointerFrom<const IdleHandlerRecord>(argument1);
            runtime.registerIdleHandler(pointerFrom<HWND__>(record->window),
                                        reinterpret_cast<IdleRoutine>(static_cast<std::uintptr_t>(record->routine)),
                                        record->argument);
            return 0;
        }
        case service::kRemoveIdleHandler: runtime.removeIdleHandler(pointerFrom<HWND__>(argument1)); return 0;
        case service::kNumericValue: {
            const auto* value = pointerFrom<const ValueTriple>(argument1);
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
            auto* words = pointerFrom<std::uint32_t>(argument1);
            words[0] = windowId;
            words[1] = componentId;
            return 1;
        }
        case service::kProcessPendingMessages: return runtime.processPendingMessages() ? 1 : 0;
        case service::kFreeArray: runtime.heap_.freeArray(argument1, pointerFrom<void>(argument2)); return 0;
        case service::kAllocate:
            return wordOf(argument2 ? runtime.heap_.allocateQuietly(argument1) : runtime.heap_.allocate(argument1));
        case service::kFree: runtime.heap_.free(pointerFrom<void>(argument1)); return 0;
        case service::kReallocate: return wordOf(runtime.heap_.reallocate(pointerFrom<void>(argument1), argument2));
        case service::kFatalMessage: runtime.reportFatalError(textView(pointerFrom<const char>(argument1)), 0, 0, 0);
        case service::kExitProcess: runtime.exitProcess(static_cast<std::int32_t>(argument1));
        case service::kRunMode: return runtime.runMode_;
        case service::kWindowCount: return static_cast<std::int64_t>(runtime.registry_.count());
        case service::kWindowHandle: return wordOf(runtime.registry_.liveHandle(argument1));
        default: return 0;
    }
}

}  // namespace veltrano
