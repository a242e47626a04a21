#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "runtime/dispatch/property_kind.h"
#include "runtime/loading/class_flags.h"
#include "runtime/values/address_word.h"

namespace veltrano {

class WindowObject;

// Interface numbers a class's interface routine hands routines out for.
namespace class_interface {
inline constexpr int kCreate = 1;
inline constexpr int kWriteProperty = 4;
inline constexpr int kSaveState = 5;
inline constexpr int kReadProperty = 6;
}  // namespace class_interface

// Class flag bits (class_flag::*) and the style bits a create routine gets
// (creation_style::*) are in runtime/loading/class_flags.h.

// Interface 1. Returns the new window object, attached to its system window,
// or null. The class data block is only read during the call.
using CreateRoutine = WindowObject* (*)(const std::uint8_t* classData, std::uint32_t classDataLength,
                                        std::uint32_t style, HWND parent, std::uint32_t controlId, HMENU menu,
                                        int left, int top, int width, int height, std::uint32_t windowId,
                                        std::uint32_t componentId, std::uint32_t reserved1, std::uint32_t reserved2);
// Interface 4: index counts from the class's first own property (0 = 8).
// Texts arrive as word1 = address; byte sets and fonts as (address, length);
// the routine copies what it keeps. Answers 1 when the component must be
// created anew from its saved state for the change to take effect.
using WritePropertyRoutine = int (*)(WindowObject* object, int index, const RawValue* value, int reserved);
// Interface 5: the component's current state as class data of the newest
// version, from which the create routine can make it again.
using SaveStateRoutine = std::vector<std::uint8_t> (*)(WindowObject* object);
// Interface 6: texts and byte sets are answered as addresses the object owns,
// valid until its next property call; the kernel copies them.
using ReadPropertyRoutine = void (*)(WindowObject* object, int index, RawValue* value);

// Any routine; the interface routine's caller casts it to the type the
// interface number names.
using AnyRoutine = void (*)();
using InterfaceRoutine = AnyRoutine (*)(int interfaceNumber);

template <typename Routine>
AnyRoutine asAnyRoutine(Routine routine) noexcept {
    return reinterpret_cast<AnyRoutine>(routine);
}

struct PropertyDescriptor {
    const char* name;  // code page 936
    std::uint16_t kind;
};

// One component class. `properties` covers indices 0..propertyCount-1,
// entries 0 to 7 being the common properties.
struct ClassDescriptor {
    std::uint32_t classId;
    std::uint32_t flags;
    InterfaceRoutine interfaces;
    const PropertyDescriptor* properties;
    std::uint32_t propertyCount;
};

// The routine an interface routine hands out, typed; null when absent.
template <typename Routine>
Routine classRoutine(const ClassDescriptor& descriptor, int interfaceNumber) noexcept {
    if (descriptor.interfaces == nullptr) return nullptr;
    return reinterpret_cast<Routine>(descriptor.interfaces(interfaceNumber));
}

}  // namespace veltrano
