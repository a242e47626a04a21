#include "components/progress_bar/progress_bar_class.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <span>

#include "components/progress_bar/progress_bar_object.h"
#include "components/support/class_routines.h"
#include "components/support/common_properties.h"
#include "components/support/control_appearance.h"
#include "components/support/system_control.h"
#include "runtime/values/class_ids.h"

namespace veltrano {
namespace {

// Fires events; may drag its window; stays out of Tab navigation.
constexpr std::uint32_t kProgressBarFlags = 0x84010040;

constexpr auto kProperties = withCommonProperties({
    {"BorderStyle", PropertyKind::Choice},
    {"Orientation", PropertyKind::Choice},
    {"BarStyle", PropertyKind::Choice},
    {"Minimum", PropertyKind::Integer},
    {"Maximum", PropertyKind::Integer},
    {"Position", PropertyKind::Integer},
});
static_assert(std::size(kProperties) == 8 + progress_bar_property::kCount);

void clampValues(classdata::ProgressBarData& data) noexcept {
    data.BorderStyle = std::clamp(data.BorderStyle, 0, 5);
    data.Orientation = std::clamp(data.Orientation, 0, 1);
    data.BarStyle = std::clamp(data.BarStyle, 0, 1);
    data.Minimum = std::clamp(data.Minimum, 0, 32767);
    data.Maximum = std::clamp(data.Maximum, 0, 32767);
    data.Position = std::clamp(data.Position, 0, 32767);
}

WindowObject* create(const std::uint8_t* classData, std::uint32_t classDataLength, std::uint32_t style, HWND parent,
                     std::uint32_t controlId, HMENU menu, int left, int top, int width, int height,
                     std::uint32_t windowId, std::uint32_t componentId, std::uint32_t, std::uint32_t) {
    auto data = classdata::decode<classdata::ProgressBarData>(classDataBytes(classData, classDataLength));
    if (!data) return nullptr;
    clampValues(*data);
    controls::ensureCommonControls();
    DWORD windowStyle = style | WS_CHILD | WS_CLIPSIBLINGS;
    if (data->Orientation == 1) windowStyle |= PBS_VERTICAL;
    if (data->BarStyle == 1) windowStyle |= PBS_SMOOTH;
    return createSystemControl(std::make_unique<ProgressBarObject>(*data), PROGRESS_CLASSW, L"", windowStyle, parent,
                               controlId, menu, RECT{left, top, left + width, top + height}, windowId, componentId);
}

using Routines = CreatedBy<&create, ObjectPropertyRoutines<ProgressBarObject, classdata::ProgressBarData>>;

}  // namespace

const ClassDescriptor kProgressBarClass{class_id::kProgressBar, kProgressBarFlags, &classInterface<Routines>,
                                        kProperties.data(), static_cast<std::uint32_t>(std::size(kProperties))};

}  // namespace veltrano
