#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/dispatch/property_kind.h"
#include "runtime/loading/class_flags.h"
#include "runtime/values/address_word.h"

namespace veltrano {

class WindowObject;

// Interface numbers a class's interface routine hands routines out for. Every
// class offers the first four; the rest only the classes that need them. Each
// number's routine type follows below; InterfaceRoutineOf names it.
namespace class_interface {
inline constexpr int kCreate = 1;
inline constexpr int kWriteProperty = 4;
inline constexpr int kSaveState = 5;
inline constexpr int kReadProperty = 6;
inline constexpr int kIconBytes = 7;
inline constexpr int kWantsKey = 8;
inline constexpr int kTextConversion = 9;
inline constexpr int kDefaultButton = 10;
inline constexpr int kMessageFilter = 11;
}  // namespace class_interface

// Stands for an interface number where a type is wanted; see
// InterfaceRoutineOf.
template <int InterfaceNumber>
struct InterfaceTag {};

// Class flag bits (class_flag::*) and the style bits a create routine gets
// (creation_style::*) are in runtime/loading/class_flags.h.

// class_interface::kCreate. Returns the new window object, attached to its
// system window, or null. The class data block is only read during the call.
using CreateRoutine = WindowObject* (*)(const std::uint8_t* classData, std::uint32_t classDataLength,
                                        std::uint32_t style, HWND parent, std::uint32_t controlId, HMENU menu, int left,
                                        int top, int width, int height, std::uint32_t windowId,
                                        std::uint32_t componentId, std::uint32_t reserved1, std::uint32_t reserved2);
CreateRoutine routineTypeOf(InterfaceTag<class_interface::kCreate>);
// class_interface::kWriteProperty: index counts from the class's first own
// property (0 = 8). Texts arrive as word1 = address; byte sets and fonts as
// (address, length); the routine copies what it keeps. Answers 1 when the
// component must be created anew from its saved state for the change to take
// effect.
using WritePropertyRoutine = int (*)(WindowObject* object, int index, const RawValue* value, int reserved);
WritePropertyRoutine routineTypeOf(InterfaceTag<class_interface::kWriteProperty>);
// class_interface::kSaveState: the component's current state as class data of
// the newest version, from which the create routine can make it again.
using SaveStateRoutine = std::vector<std::uint8_t> (*)(WindowObject* object);
SaveStateRoutine routineTypeOf(InterfaceTag<class_interface::kSaveState>);
// class_interface::kReadProperty: texts and byte sets are answered as
// addresses the object owns, valid until its next property call; the kernel
// copies them.
using ReadPropertyRoutine = void (*)(WindowObject* object, int index, RawValue* value);
ReadPropertyRoutine routineTypeOf(InterfaceTag<class_interface::kReadProperty>);
// class_interface::kIconBytes: the Icon bytes of a window's class data; empty
// when the data has none or cannot be read.
using IconBytesRoutine = std::vector<std::uint8_t> (*)(const std::uint8_t* classData, std::uint32_t classDataLength);
IconBytesRoutine routineTypeOf(InterfaceTag<class_interface::kIconBytes>);
// class_interface::kWantsKey: nonzero when the component handles the key
// itself, so the window does not apply its own meaning of Tab, Enter, Esc or
// F1.
using WantsKeyRoutine = int (*)(WindowObject* object, unsigned virtualKey);
WantsKeyRoutine routineTypeOf(InterfaceTag<class_interface::kWantsKey>);
// class_interface::kTextConversion: the class data with every text item passed
// through `convert`, as class data of the newest version. Nothing when the
// block does not read as the class's data.
using TextConverter = std::string (*)(std::string_view text, void* context);
using TextConversionRoutine = std::optional<std::vector<std::uint8_t>> (*)(const std::uint8_t* classData,
                                                                           std::uint32_t classDataLength,
                                                                           TextConverter convert, void* context);
TextConversionRoutine routineTypeOf(InterfaceTag<class_interface::kTextConversion>);
// class_interface::kDefaultButton, offered by classes with the
// class_flag::kDefaultButtonInterface flag: true for the button Enter presses
// from anywhere in its window.
using DefaultButtonRoutine = bool (*)(WindowObject* object);
DefaultButtonRoutine routineTypeOf(InterfaceTag<class_interface::kDefaultButton>);
// class_interface::kMessageFilter, offered by classes with the
// class_flag::kMessageFilter flag: offered every message of its window before
// the window's keyboard conventions; nonzero when the component handled it
// (the message then goes no further).
using MessageFilterRoutine = int (*)(WindowObject* object, MSG* message);
MessageFilterRoutine routineTypeOf(InterfaceTag<class_interface::kMessageFilter>);

// An interface number's routine type is what routineTypeOf answers for it;
// each number's declaration stands beside its type above.
template <int InterfaceNumber>
using InterfaceRoutineOf = decltype(routineTypeOf(InterfaceTag<InterfaceNumber>{}));

// Any routine; the interface routine's caller casts it to the type the
// interface number names.
using AnyRoutine = void (*)();
using InterfaceRoutine = AnyRoutine (*)(int interfaceNumber);

template <typename Routine>
AnyRoutine asAnyRoutine(Routine routine) noexcept {
    return reinterpret_cast<AnyRoutine>(routine);
}

// One row of a class's property table. The kind is kept as the number the
// kernel's value conversions read.
struct PropertyDescriptor {
    constexpr PropertyDescriptor(const char* propertyName, PropertyKind propertyKind) noexcept
        : name(propertyName), kind(static_cast<std::uint16_t>(propertyKind)) {}
    // A kind by its number alone, as a class made outside this program states it.
    constexpr PropertyDescriptor(const char* propertyName, std::uint16_t kindNumber) noexcept
        : name(propertyName), kind(kindNumber) {}

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
