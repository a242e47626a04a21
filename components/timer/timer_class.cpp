#include "components/timer/timer_class.h"

#include <iterator>
#include <memory>

#include "runtime/values/class_ids.h"
#include "components/classdata/timer_data.h"
#include "components/support/class_routines.h"
#include "components/support/hidden_component_window.h"
#include "components/timer/timer_object.h"

namespace veltrano {
namespace {

constexpr wchar_t kWindowClass[] = L"_QL_Timer";
constexpr int kIntervalIndex = 0;

WindowObject* createTimer(const std::uint8_t* classData, std::uint32_t classDataLength, std::uint32_t style,
                          HWND parent, std::uint32_t controlId, HMENU, int left, int top, int width, int height,
                          std::uint32_t windowId, std::uint32_t componentId, std::uint32_t, std::uint32_t designMode) {
    const auto data = classdata::decode<classdata::TimerData>(
        classData == nullptr ? std::span<const std::uint8_t>{}
                             : std::span<const std::uint8_t>{classData, classDataLength});
    if (!data) return nullptr;

    HWND window = createHiddenComponentWindow(kWindowClass, style, designMode != 0, parent, controlId,
                                              RECT{left, top, left + width, top + height});
    TimerObject* timer =
        adoptSystemWindow(std::make_unique<TimerObject>(designMode != 0), window, windowId, componentId);
    if (timer != nullptr) timer->setInterval(data->Interval);
    return timer;
}

int writeProperty(WindowObject* object, int index, const RawValue* value, int) {
    if (index == kIntervalIndex && value != nullptr) {
        static_cast<TimerObject*>(object)->setInterval(static_cast<std::int32_t>(value->word1));
    }
    return 0;
}

std::vector<std::uint8_t> saveState(WindowObject* object) {
    classdata::TimerData data;
    data.Interval = static_cast<TimerObject*>(object)->interval();
    return classdata::encode(data);
}

void readProperty(WindowObject* object, int index, RawValue* value) {
    if (index != kIntervalIndex || value == nullptr) return;
    value->word1 = static_cast<std::uint32_t>(static_cast<TimerObject*>(object)->interval());
    value->word2 = 0;
}

AnyRoutine timerInterfaces(int interfaceNumber) {
    switch (interfaceNumber) {
        case class_interface::kCreate: return asAnyRoutine<CreateRoutine>(&createTimer);
        case class_interface::kWriteProperty: return asAnyRoutine<WritePropertyRoutine>(&writeProperty);
        case class_interface::kSaveState: return asAnyRoutine<SaveStateRoutine>(&saveState);
        case class_interface::kReadProperty: return asAnyRoutine<ReadPropertyRoutine>(&readProperty);
        default: return nullptr;
    }
}

constexpr std::uint16_t kind(PropertyKind value) noexcept {
    return static_cast<std::uint16_t>(value);
}

const PropertyDescriptor kTimerProperties[] = {
    {"Left", kind(PropertyKind::Integer)},     {"Top", kind(PropertyKind::Integer)},
    {"Width", kind(PropertyKind::Integer)},    {"Height", kind(PropertyKind::Integer)},
    {"Tag", kind(PropertyKind::Text)},         {"Visible", kind(PropertyKind::Bool)},
    {"Disabled", kind(PropertyKind::Bool)},    {"MousePointer", kind(PropertyKind::Cursor)},
    {"Interval", kind(PropertyKind::Integer)},
};

}  // namespace

const ClassDescriptor kTimerClass{
    class_id::kTimer, 0x80000000u | class_flag::kNeverVisible | class_flag::kFiresEvents40, &timerInterfaces,
    kTimerProperties, static_cast<std::uint32_t>(std::size(kTimerProperties))};

}  // namespace veltrano
