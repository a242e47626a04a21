#include "components/combo_box/combo_box_class.h"

#include <algorithm>
#include <memory>
#include <span>

#include "components/combo_box/combo_box_object.h"
#include "components/support/class_routines.h"
#include "components/support/common_properties.h"
#include "components/support/control_appearance.h"
#include "components/support/system_control.h"
#include "components/support/text_conversion.h"
#include "runtime/kernel/wide_text.h"
#include "runtime/values/class_ids.h"

namespace veltrano {
namespace {

constexpr std::uint32_t kComboBoxFlags = 0x80000240;
// A drop-down's system height includes its list.
constexpr int kLeastDropDownHeight = 160;

constexpr auto kProperties = withCommonProperties({
    {"ComboStyle", PropertyKind::Choice},
    {"Text", PropertyKind::Text},
    {"MaxLength", PropertyKind::Integer},
    {"SelStart", PropertyKind::Integer},
    {"SelLength", PropertyKind::Integer},
    {"SelText", PropertyKind::Text},
    {"Sorted", PropertyKind::Bool},
    {"ItemHeightExtra", PropertyKind::Integer},
    {"TextColor", PropertyKind::Colour},
    {"BackColor", PropertyKind::BackgroundColour},
    {"Font", PropertyKind::Font},
    {"CurrentSelection", PropertyKind::Integer},
    {"ItemTexts", PropertyKind::Bytes1023},
    {"ItemData", PropertyKind::Bytes1023},
    {"DataSource", PropertyKind::DataSource},
    {"DataColumn", PropertyKind::DataColumn},
    {"DataBindingOption", PropertyKind::Bool},
});
static_assert(std::size(kProperties) == 8 + combo_box_property::kCount);

DWORD comboStyle(const classdata::ComboBoxData& data, std::uint32_t requested) noexcept {
    DWORD style = requested | WS_CHILD | WS_CLIPSIBLINGS | WS_VSCROLL | CBS_AUTOHSCROLL;
    switch (data.ComboStyle) {
        case 0: style |= CBS_SIMPLE; break;
        case 1: style |= CBS_DROPDOWN; break;
        default: style |= CBS_DROPDOWNLIST; break;
    }
    if (data.Sorted) style |= CBS_SORT;
    return style;
}

void clampValues(classdata::ComboBoxData& data) noexcept {
    data.ComboStyle = std::clamp(data.ComboStyle, 0, 2);
    data.MaxLength = std::clamp(data.MaxLength, 0, 32767);
    data.ItemHeightExtra = std::clamp(data.ItemHeightExtra, 0, 32767);
}

WindowObject* create(const std::uint8_t* classData, std::uint32_t classDataLength, std::uint32_t style, HWND parent,
                     std::uint32_t controlId, HMENU menu, int left, int top, int width, int height,
                     std::uint32_t windowId, std::uint32_t componentId, std::uint32_t, std::uint32_t designMode) {
    auto data = classdata::decode<classdata::ComboBoxData>(classDataBytes(classData, classDataLength));
    if (!data) return nullptr;
    clampValues(*data);
    controls::ensureCommonControls();
    const int systemHeight = data->ComboStyle == 0 ? height : std::max(height, kLeastDropDownHeight);
    const std::wstring text = wideFromCodePage936(data->Text);
    return createSystemControl(std::make_unique<ComboBoxObject>(*data, designMode != 0), L"COMBOBOX", text.c_str(),
                               comboStyle(*data, style), parent, controlId, menu,
                               RECT{left, top, left + width, top + systemHeight}, windowId, componentId);
}

using classdata::ComboBoxData;
using Routines = CreatedBy<&create, ObjectPropertyRoutines<ComboBoxObject, ComboBoxData>>;
constexpr TextConversionRoutine kConvertTexts =
    &convertClassTexts<ComboBoxData, WithoutConverter::UnchangedData, &ComboBoxData::Text, &ComboBoxData::ItemTexts,
                       &ComboBoxData::DataSource, &ComboBoxData::DataColumn>;

}  // namespace

const ClassDescriptor kComboBoxClass{
    class_id::kComboBox, kComboBoxFlags,
    &classInterface<Routines, Offered<class_interface::kTextConversion, kConvertTexts>>, kProperties.data(),
    static_cast<std::uint32_t>(std::size(kProperties))};

}  // namespace veltrano
