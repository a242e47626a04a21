#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "runtime/kernel/component_class.h"

namespace veltrano {

// Interface 8: nonzero when the component handles the key itself, so the
// window does not apply its own meaning of Tab, Enter, Esc or F1.
inline constexpr int kWantsKeyInterfaceNumber = 8;
using WantsKeyInterface = int (*)(WindowObject* object, unsigned virtualKey);
// Interface 10 of a class with the default-button-interface flag: true for
// the button Enter presses from anywhere in its window.
inline constexpr int kDefaultButtonInterfaceNumber = 10;
using DefaultButtonInterface = bool (*)(WindowObject* object);

// Interface 11 of a class with the message filter flag: offered every
// message of its window before the window's keyboard conventions; nonzero
// when the component handled it (the message then goes no further).
inline constexpr int kMessageFilterInterface = 11;
using MessageFilterRoutine = int (*)(WindowObject* object, MSG* message);

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
        const std::span<const std::uint8_t> data =
            classData == nullptr ? std::span<const std::uint8_t>() : std::span(classData, classDataLength);
        return Object::create(data, style, parent, controlId, RECT{left, top, left + width, top + height}, windowId,
                              componentId);
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

}  // namespace veltrano
