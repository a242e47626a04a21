#pragma once

#include <windows.h>

#include <cstdint>

#include "runtime/dispatch/event_arguments.h"

namespace veltrano {

class WindowObject;
class WindowRegistry;
struct ClassDescriptor;

// A request to fire an event, simple form: every argument is one word.
struct SimpleEventRecord {
    std::uint32_t windowId = 0;
    std::uint32_t componentId = 0;  // 0: the window itself
    std::int32_t eventNumber = 0;
    std::uint32_t argumentCount = 0;  // 0..5
    EventWord arguments[5] = {};
    std::uint32_t resultPresent = 0;
    std::uint32_t result = 0;
};

// Typed form: each argument carries its type (see packTypedEventArguments).
struct TypedEventRecord {
    std::uint32_t windowId = 0;
    std::uint32_t componentId = 0;
    std::int32_t eventNumber = 0;
    std::uint32_t argumentCount = 0;  // 0..12
    TypedEventArgument arguments[12] = {};
    std::uint32_t resultPresent = 0;
    std::uint32_t resultLow = 0;
    std::uint32_t resultHigh = 0;
};

// Service 2005's request; the owner is a component object's address.
struct LoadWindowRecord {
    std::uint32_t windowId = 0;
    AddressWord owner = 0;
    std::uint32_t modal = 0;
};

// Service 1012's request.
struct IdleHandlerRecord {
    AddressWord window = 0;
    AddressWord routine = 0;
    AddressWord argument = 0;
};

// The runtime services the component classes and commands use, typed. Each
// goes through the runtime service entry with its numbered code.
namespace services {

// 2008 / 2031: true when a handler ran; the record then holds any result.
bool fireEvent(SimpleEventRecord& record);
bool fireTypedEvent(TypedEventRecord& record);
// 2006: the component's object when it exists and its window is alive.
WindowObject* componentObject(std::uint32_t windowId, std::uint32_t componentId);
// 2007: as 2006, but nothing found is the fatal runtime error.
WindowObject* componentObjectOrFail(std::uint32_t windowId, std::uint32_t componentId);
// 2022: the component's class id, or 0.
std::uint32_t classOfComponent(std::uint32_t windowId, std::uint32_t componentId);
// 1002: the class descriptor of a class id, or null.
const ClassDescriptor* classDescriptor(std::uint32_t classId);
// 2018, 2009, 2010.
void processPendingMessages();
void suppressEvents();
void allowEvents();
// 1000: the program's icon at 32 and 16 pixels, owned by the runtime.
void defaultIcons(HICON& big, HICON& small);
// 2003 / 2004: texts owned by the runtime.
const char* runDirectory();
const char* programFileName();
// 2027: fatal runtime error with this message (code 0, no window).
[[noreturn]] void fatalError(const char* message);
// 2030.
std::uint32_t runMode();
// 2032 / 2033.
std::uint32_t windowCount();
HWND windowHandleAt(std::uint32_t registryIndex);
// 2005: loads a window; 0 on success, -1 on failure.
std::int32_t loadWindow(std::uint32_t windowId, WindowObject* owner, bool modal);

// Component tests without a loaded window watch the events a component fires
// here; while an observer is set, it answers instead of the runtime.
using EventObserver = bool (*)(SimpleEventRecord* simple, TypedEventRecord* typed);
void setEventObserver(EventObserver observer) noexcept;

}  // namespace services
}  // namespace veltrano
