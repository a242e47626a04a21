#include "runtime/core_library/library_notification.h"

#include <windows.h>

#include "runtime/kernel/window_object.h"

namespace veltrano::core_library {
namespace {

RuntimeServiceEntry keptEntry = nullptr;

}  // namespace

std::intptr_t notify(std::int32_t code, AddressWord argument1, AddressWord argument2) {
    switch (code) {
        case library_notification::kStartup: keptEntry = reinterpret_cast<RuntimeServiceEntry>(argument1); return 0;
        case library_notification::kPreTranslate: {
            // Before start-up the library knows no runtime whose windows it
            // could serve.
            if (keptEntry == nullptr) return 0;
            auto* object = addressFromWord<WindowObject>(argument1);
            auto* message = addressFromWord<MSG>(argument2);
            if (object == nullptr || message == nullptr) return 0;
            return object->preTranslateMessage(*message) ? 1 : 0;
        }
        case library_notification::kShutdown: keptEntry = nullptr; return 0;
        default: return -1;
    }
}

std::int64_t callService(std::int32_t code, AddressWord argument1, AddressWord argument2) {
    return keptEntry != nullptr ? keptEntry(code, argument1, argument2) : 0;
}

}  // namespace veltrano::core_library
