#include "runtime/kernel/runtime_services.h"

#include <cstdlib>

#include "runtime/kernel/component_class.h"
#include "runtime/kernel/runtime_application.h"

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

void setEventObserver(EventObserver observer) noexcept { eventObserver = observer; }

bool fireEvent(SimpleEventRecord& record) {
    if (eventObserver != nullptr) return eventObserver(&record, nullptr);
    return call(2008, addressWord(&record)) != 0;
}

bool fireTypedEvent(TypedEventRecord& record) {
    if (eventObserver != nullptr) return eventObserver(nullptr, &record);
    return call(2031, addressWord(&record)) != 0;
}

WindowObject* componentObject(std::uint32_t windowId, std::uint32_t componentId) {
    return pointerAnswer<WindowObject>(call(2006, windowId, componentId));
}

WindowObject* componentObjectOrFail(std::uint32_t windowId, std::uint32_t componentId) {
    return pointerAnswer<WindowObject>(call(2007, windowId, componentId));
}

std::uint32_t classOfComponent(std::uint32_t windowId, std::uint32_t componentId) {
    return static_cast<std::uint32_t>(call(2022, windowId, componentId));
}

const ClassDescriptor* classDescriptor(std::uint32_t classId) {
    return pointerAnswer<const ClassDescriptor>(call(1002, classId));
}

void processPendingMessages() { call(2018); }
void suppressEvents() { call(2009); }
void allowEvents() { call(2010); }

void defaultIcons(HICON& big, HICON& small) {
    AddressWord words[2] = {};
    call(1000, addressWord(words));
    big = addressFromWord<HICON__>(words[0]);
    small = addressFromWord<HICON__>(words[1]);
}

const char* runDirectory() { return pointerAnswer<const char>(call(2003)); }
const char* programFileName() { return pointerAnswer<const char>(call(2004)); }

void fatalError(const char* message) {
    call(2027, addressWord(message));
    std::abort();  // the service does not return
}

std::uint32_t runMode() { return static_cast<std::uint32_t>(call(2030)); }
std::uint32_t windowCount() { return static_cast<std::uint32_t>(call(2032)); }
HWND windowHandleAt(std::uint32_t registryIndex) { return pointerAnswer<HWND__>(call(2033, registryIndex)); }

std::int32_t loadWindow(std::uint32_t windowId, WindowObject* owner, bool modal) {
    const LoadWindowRecord record{windowId, addressWord(owner), modal ? 1u : 0u};
    return static_cast<std::int32_t>(call(2005, addressWord(&record)));
}

}  // namespace veltrano::services
