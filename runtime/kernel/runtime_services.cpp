#include "runtime/kernel/runtime_services.h"

#include <cstdlib>

#include "runtime/kernel/component_class.h"
#include "runtime/kernel/runtime_application.h"
#include "runtime/kernel/service_codes.h"

namespace veltrano::services {
namespace {

std::int64_t call(std::int32_t code, AddressWord argument1 = 0, AddressWord argument2 = 0) {
    return RuntimeApplication::serviceEntry(code, argument1, argument2);
}

EventObserver eventObserver = nullptr;

template <typename T>
T* pointerAnswer(std::int64_t answer) {
    return addressFromWord<T>(static_cast<AddressWord>(answer));
}

}  // namespace

void setEventObserver(EventObserver observer) noexcept {
    eventObserver = observer;
}

bool fireEvent(SimpleEventRecord& record) {
    if (eventObserver != nullptr) return eventObserver(&record, nullptr);
    return call(service::kFireEvent, addressWord(&record)) != 0;
}

bool fireTypedEvent(TypedEventRecord& record) {
    if (eventObserver != nullptr) return eventObserver(nullptr, &record);
    return call(service::kFireTypedEvent, addressWord(&record)) != 0;
}

WindowObject* componentObject(std::uint32_t windowId, std::uint32_t componentId) {
    return pointerAnswer<WindowObject>(call(service::kComponentObject, windowId, componentId));
}

WindowObject* componentObjectOrFail(std::uint32_t windowId, std::uint32_t componentId) {
    return pointerAnswer<WindowObject>(call(service::kComponentObjectOrFail, windowId, componentId));
}

std::uint32_t classOfComponent(std::uint32_t windowId, std::uint32_t componentId) {
    return static_cast<std::uint32_t>(call(service::kClassOfComponent, windowId, componentId));
}

const ClassDescriptor* classDescriptor(std::uint32_t classId) {
    return pointerAnswer<const ClassDescriptor>(call(service::kClassDescriptor, classId));
}

void processPendingMessages() {
    call(service::kProcessPendingMessages);
}
void suppressEvents() {
    call(service::kSuppressEvents);
}
void allowEvents() {
    call(service::kAllowEvents);
}

void defaultIcons(HICON& big, HICON& small) {
    AddressWord words[2] = {};
    call(service::kDefaultIcons, addressWord(words));
    big = addressFromWord<HICON__>(words[0]);
    small = addressFromWord<HICON__>(words[1]);
}

const char* runDirectory() {
    return pointerAnswer<const char>(call(service::kRunDirectory));
}
const char* programFileName() {
    return pointerAnswer<const char>(call(service::kProgramFileName));
}

void fatalError(const char* message) {
    call(service::kFatalMessage, addressWord(message));
    std::abort();  // the service does not return
}

std::uint32_t runMode() {
    return static_cast<std::uint32_t>(call(service::kRunMode));
}
std::uint32_t windowCount() {
    return static_cast<std::uint32_t>(call(service::kWindowCount));
}
HWND windowHandleAt(std::uint32_t registryIndex) {
    return pointerAnswer<HWND__>(call(service::kWindowHandle, registryIndex));
}

std::int32_t loadWindow(std::uint32_t windowId, WindowObject* owner, bool modal) {
    const LoadWindowRecord record{windowId, addressWord(owner), modal ? 1u : 0u};
    return static_cast<std::int32_t>(call(service::kLoadWindow, addressWord(&record)));
}

}  // namespace veltrano::services
