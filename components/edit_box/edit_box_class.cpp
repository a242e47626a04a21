#include "components/edit_box/edit_box_class.h"

#include <algorithm>
#include <memory>
#include <span>

#include "components/edit_box/edit_box_object.h"
#include "components/edit_box/input_mode.h"
#include "components/support/class_routines.h"
#include "components/support/common_properties.h"
#include "components/support/control_appearance.h"
#include "components/support/system_control.h"
#include "components/support/text_conversion.h"
#include "runtime/kernel/wide_text.h"
#include "runtime/values/class_ids.h"

namespace veltrano {
namespace {

constexpr std::uint32_t kEditBoxFlags = 0x80000040;

constexpr auto kProperties = withCommonProperties({
    {"Text", PropertyKind::Text},
    {"BorderStyle", PropertyKind::Choice},
    {"TextColor", PropertyKind::Colour},
    {"BackColor", PropertyKind::BackgroundColour},
    {"Font", PropertyKind::Font},
    {"HideSelection", PropertyKind::Bool},
    {"MaxLength", PropertyKind::Integer},
    {"MultiLine", PropertyKind::Bool},
    {"ScrollBars", PropertyKind::Choice},
    {"Alignment", PropertyKind::Choice},
    {"InputMode", PropertyKind::Choice},
    {"PasswordChar", PropertyKind::Text},
    {"CaseConversion", PropertyKind::Choice},
    {"SpinMode", PropertyKind::Choice},
    {"SpinMin", PropertyKind::Integer},
    {"SpinMax", PropertyKind::Integer},
    {"SelStart", PropertyKind::Integer},
    {"SelLength", PropertyKind::Integer},
    {"SelText", PropertyKind::Text},
    {"DataSource", PropertyKind::DataSource},
    {"DataColumn", PropertyKind::DataColumn},
});
static_assert(std::size(kProperties) == 8 + edit_box_property::kCount);

DWORD editStyle(const classdata::EditBoxData& data, std::uint32_t requested) noexcept {
    DWORD style = requested | WS_CHILD | WS_CLIPSIBLINGS;
    if (!data.HideSelection) style |= ES_NOHIDESEL;
    if (data.MultiLine) {
        style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
        if (data.ScrollBars == 1 || data.ScrollBars == 3) style |= ES_AUTOHSCROLL | WS_HSCROLL;
        if (data.ScrollBars == 2 || data.ScrollBars == 3) style |= WS_VSCROLL;
    } else {
        style |= ES_AUTOHSCROLL;
    }
    if (data.Alignment == 1) style |= ES_CENTER;
    if (data.Alignment == 2) style |= ES_RIGHT;
    if (data.InputMode == static_cast<std::int32_t>(edit_input::InputMode::ReadOnly)) style |= ES_READONLY;
    if (data.InputMode == static_cast<std::int32_t>(edit_input::InputMode::Password)) style |= ES_PASSWORD;
    if (data.CaseConversion == 1) style |= ES_LOWERCASE;
    if (data.CaseConversion == 2) style |= ES_UPPERCASE;
    return style;
}

// Class data written by hand may hold anything; the object relies on ranges.
void clampEnumerations(classdata::EditBoxData& data) noexcept {
    data.BorderStyle = std::clamp(data.BorderStyle, 0, 5);
    data.ScrollBars = std::clamp(data.ScrollBars, 0, 3);
    data.Alignment = std::clamp(data.Alignment, 0, 2);
    data.InputMode = std::clamp(data.InputMode, 0, edit_input::kLastInputMode);
    data.CaseConversion = std::clamp(data.CaseConversion, 0, 2);
    data.SpinMode = std::clamp(data.SpinMode, 0, 2);
    data.MaxLength = std::max(data.MaxLength, 0);
}

WindowObject* create(const std::uint8_t* classData, std::uint32_t classDataLength, std::uint32_t style, HWND parent,
                     std::uint32_t controlId, HMENU menu, int left, int top, int width, int height,
                     std::uint32_t windowId, std::uint32_t componentId, std::uint32_t, std::uint32_t designMode) {
    auto data = classdata::decode<classdata::EditBoxData>(classDataBytes(classData, classDataLength));
    if (!data) return nullptr;
    clampEnumerations(*data);
    controls::ensureCommonControls();
    const std::wstring text = wideFromCodePage936(data->Text);
    return createSystemControl(std::make_unique<EditBoxObject>(*data, designMode != 0), L"EDIT", text.c_str(),
                               editStyle(*data, style), parent, controlId, menu,
                               RECT{left, top, left + width, top + height}, windowId, componentId);
}

int wantsKey(WindowObject* object, unsigned virtualKey) {
    if (object == nullptr) return 0;
    return static_cast<EditBoxObject*>(object)->wantsKey(virtualKey) ? 1 : 0;
}

using classdata::EditBoxData;
using Routines = CreatedBy<&create, ObjectPropertyRoutines<EditBoxObject, EditBoxData>>;
constexpr TextConversionRoutine kConvertTexts =
    &convertClassTexts<EditBoxData, WithoutConverter::UnchangedData, &EditBoxData::Text, &EditBoxData::DataSource,
                       &EditBoxData::DataColumn>;

}  // namespace

const ClassDescriptor kEditBoxClass{class_id::kEditBox, kEditBoxFlags,
                                    &classInterface<Routines, Offered<class_interface::kWantsKey, &wantsKey>,
                                                    Offered<class_interface::kTextConversion, kConvertTexts>>,
                                    kProperties.data(), static_cast<std::uint32_t>(std::size(kProperties))};

}  // namespace veltrano
