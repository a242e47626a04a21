#include "components/timer/timer_class.h"

#include <iterator>
#include <memory>

#include "components/classdata/timer_data.h"
#include "components/support/class_routines.h"
#include "components/support/common_properties.h"
#include "components/support/hidden_component_window.h"
#include "components/timer/timer_object.h"
#include "runtime/values/class_ids.h"

namespace veltrano {
namespace {

constexpr wchar_t kWindowClass[] = L"_QL_Timer";
constexpr int kIntervalIndex = 0;

WindowObject* createTimer(const std::uint8_t* classData, std::uint32_t classDataLength, std::uint32_t style,
                          HWND parent, std::uint32_t controlId, HMENU, int left, int top, int width, int height,
                          std::uint32_t windowId, std::uint32_t componentId, std::uint32_t, std::uint32_t designMode) {
    const auto data = classdata::decode<classdata::TimerData>(classDataBytes(classData, classDataLength));
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

constexpr auto kProperties = withCommonProperties({{"Interval", PropertyKind::Integer}});

}  // namespace

const ClassDescriptor kTimerClass{
    class_id::kTimer, 0x80000000u | class_flag::kNeverVisible | class_flag::kFiresEvents40,
    &classInterface<ClassRoutines<&createTimer, &writeProperty, &saveState, &readProperty>>, kProperties.data(),
    static_cast<std::uint32_t>(std::size(kProperties))};

}  // namespace veltrano
