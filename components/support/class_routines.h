#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "runtime/kernel/component_class.h"

namespace veltrano {

// The class data block a routine is handed, as bytes; empty for none.
inline std::span<const std::uint8_t> classDataBytes(const std::uint8_t* classData, std::uint32_t length) noexcept {
    if (classData == nullptr) return {};
    return {classData, length};
}

// Takes a freshly made system window into its object: null, and the window
// gone, when it cannot be attached. The window then owns the object.
template <typename Object>
Object* adoptSystemWindow(std::unique_ptr<Object> object, HWND window, std::uint32_t windowId,
                          std::uint32_t componentId) {
    if (window == nullptr) return nullptr;
    if (!object->attach(window)) {
        DestroyWindow(window);
        return nullptr;
    }
    object->setIds(windowId, componentId);
    return object.release();
}

// Interfaces 4, 5 and 6 of a class whose object answers writeProperty,
// saveState and readProperty itself; Data is its class data record.
template <typename Object, typename Data>
struct ObjectPropertyRoutines {
    static int writeProperty(WindowObject* object, int index, const RawValue* value, int) {
        if (object == nullptr || value == nullptr) return 0;
        return static_cast<Object*>(object)->writeProperty(index, *value);
    }
    static std::vector<std::uint8_t> saveState(WindowObject* object) {
        if (object == nullptr) return encode(Data{});  // found beside Data
        return static_cast<Object*>(object)->saveState();
    }
    static void readProperty(WindowObject* object, int index, RawValue* value) {
        if (object == nullptr || value == nullptr) return;
        static_cast<Object*>(object)->readProperty(index, *value);
    }
};

// Interfaces 1, 4, 5 and 6 of a class whose object keeps its class data
// record whole: it is made from that record, saves it as it stands, and reads
// an index it does not know as zero. A foreign object is refused, not cast.
template <typename Object>
struct RecordObjectRoutines {
    static WindowObject* create(const std::uint8_t* classData, std::uint32_t classDataLength, std::uint32_t style,
                                HWND parent, std::uint32_t controlId, HMENU, int left, int top, int width, int height,
                                std::uint32_t windowId, std::uint32_t componentId, std::uint32_t, std::uint32_t) {
        return Object::create(classDataBytes(classData, classDataLength), style, parent, controlId,
                              RECT{left, top, left + width, top + height}, windowId, componentId);
    }
    static int writeProperty(WindowObject* object, int index, const RawValue* value, int) {
        Object* target = dynamic_cast<Object*>(object);
        if (target == nullptr || value == nullptr) return 0;
        return target->writeProperty(index, *value);
    }
    static std::vector<std::uint8_t> saveState(WindowObject* object) {
        const Object* target = dynamic_cast<const Object*>(object);
        return target == nullptr ? std::vector<std::uint8_t>() : target->save();
    }
    static void readProperty(WindowObject* object, int index, RawValue* value) {
        if (value == nullptr) return;
        const Object* target = dynamic_cast<const Object*>(object);
        if (target == nullptr || !target->readProperty(index, *value)) *value = RawValue{};
    }
};

// The four routines every class offers, for a class that names them one by
// one.
template <CreateRoutine Create, WritePropertyRoutine WriteProperty, SaveStateRoutine SaveState,
          ReadPropertyRoutine ReadProperty>
struct ClassRoutines {
    static constexpr CreateRoutine create = Create;
    static constexpr WritePropertyRoutine writeProperty = WriteProperty;
    static constexpr SaveStateRoutine saveState = SaveState;
    static constexpr ReadPropertyRoutine readProperty = ReadProperty;
};

// A class that makes its object itself and leaves its properties to the
// object (PropertyRoutines being an ObjectPropertyRoutines).
template <CreateRoutine Create, typename PropertyRoutines>
using CreatedBy = ClassRoutines<Create, &PropertyRoutines::writeProperty, &PropertyRoutines::saveState,
                                &PropertyRoutines::readProperty>;

// An interface a class offers beside the four every class has; the routine
// must be of the type its number stands for.
template <int InterfaceNumber, InterfaceRoutineOf<InterfaceNumber> Routine>
struct Offered {
    static constexpr int number = InterfaceNumber;
    static AnyRoutine routine() noexcept { return asAnyRoutine(Routine); }
};

// The interface routine of a class: create, writeProperty, saveState and
// readProperty from Routines, then each Offered interface; null for a number
// the class does not offer.
template <typename Routines, typename... Offers>
AnyRoutine classInterface(int interfaceNumber) noexcept {
    switch (interfaceNumber) {
        case class_interface::kCreate: return asAnyRoutine<CreateRoutine>(Routines::create);
        case class_interface::kWriteProperty: return asAnyRoutine<WritePropertyRoutine>(Routines::writeProperty);
        case class_interface::kSaveState: return asAnyRoutine<SaveStateRoutine>(Routines::saveState);
        case class_interface::kReadProperty: return asAnyRoutine<ReadPropertyRoutine>(Routines::readProperty);
        default: break;
    }
    AnyRoutine offered = nullptr;
    (void)((interfaceNumber == Offers::number ? (offered = Offers::routine(), true) : false) || ...);
    return offered;
}

}  // namespace veltrano
