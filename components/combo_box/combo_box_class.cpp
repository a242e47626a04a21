#include "components/combo_box/combo_box_class.h"

#include <algorithm>
#include <memory>
#include <span>

#include "components/combo_box/combo_box_object.h"
#include "components/support/class_routines.h"
#include "components/support/control_appearance.h"
#include "components/support/control_interfaces.h"
#include "runtime/kernel/wide_text.h"
#include "runtime/values/class_ids.h"

namespace veltrano {
namespace {

constexpr std::uint32_t kComboBoxFlags = 0x80000240;
// A drop-down's system height includes its list.
constexpr int kLeastDropDownHeight = 160;

constexpr PropertyDescriptor kProperties[] = {
    {"Left", 1001},
    {"Top", 1001},
    {"Width", 1001},
    {"Height", 1001},
    {"Tag", 1005},
    {"Visible", 1003},
    {"Disabled", 1003},
    {"MousePointer", 1011},
    {"ComboStyle", 1006},
    {"Text", 1005},
    {"MaxLength", 1001},
    {"SelStart", 1001},
    {"SelLength", 1001},
    {"SelText", 1005},
    {"Sorted", 1003},
    {"ItemHeightExtra", 1001},
    {"TextColor", 1014},
    {"BackColor", 1017},
    {"Font", 1013},
    {"CurrentSelection", 1001},
    {"ItemTexts", 1023},
    {"ItemData", 1023},
    {"DataSource", 1018},
    {"DataColumn", 1020},
    {"DataBindingOption", 1003},
};
static_assert(std::size(kProperties) == 8 + combo_box_property::kCount);

std::span<const std::uint8_t> blockOf(const std::uint8_t* data, std::uint32_t length) noexcept {
    if (data == nullptr) return {};
    return {data, length};
}

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
    auto data = classdata::decode<classdata::ComboBoxData>(blockOf(classData, classDataLength));
    if (!data) return nullptr;
    clampValues(*data);
    controls::ensureCommonControls();
    const int systemHeight = data->ComboStyle == 0 ? height : std::max(height, kLeastDropDownHeight);
    const std::wstring text = wideFromCodePage936(data->Text);
    auto object = std::make_unique<ComboBoxObject>(*data, designMode != 0);
    const HWND window =
        CreateWindowExW(0, L"COMBOBOX", text.c_str(), comboStyle(*data, style), left, top, width, systemHeight, parent,
                        controls::childIdentifier(controlId, menu), GetModuleHandleW(nullptr), nullptr);
    ComboBoxObject* created = adoptSystemWindow(std::move(object), window, windowId, componentId);
    if (created != nullptr) created->applyCreationState();
    return created;
}

using PropertyRoutines = ObjectPropertyRoutines<ComboBoxObject, classdata::ComboBoxData>;

std::optional<std::vector<std::uint8_t>> convertTexts(const std::uint8_t* classData, std::uint32_t classDataLength,
                                                      TextConverter convert, void* context) {
    auto data = classdata::decode<classdata::ComboBoxData>(blockOf(classData, classDataLength));
    if (!data) return std::nullopt;
    if (convert != nullptr) {
        data->Text = convert(data->Text, context);
        for (std::string& item : data->ItemTexts) item = convert(item, context);
        data->DataSource = convert(data->DataSource, context);
        data->DataColumn = convert(data->DataColumn, context);
    }
    return classdata::encode(*data);
}

AnyRoutine interfaces(int interfaceNumber) {
    switch (interfaceNumber) {
        case class_interface::kCreate: return asAnyRoutine<CreateRoutine>(&create);
        case class_interface::kWriteProperty: return asAnyRoutine<WritePropertyRoutine>(&PropertyRoutines::writeProperty);
        case class_interface::kSaveState: return asAnyRoutine<SaveStateRoutine>(&PropertyRoutines::saveState);
        case class_interface::kReadProperty: return asAnyRoutine<ReadPropertyRoutine>(&PropertyRoutines::readProperty);
        case control_interface::kTextConversion: return asAnyRoutine<TextConversionRoutine>(&convertTexts);
        default: return nullptr;
    }
}

}  // namespace

const ClassDescriptor kComboBoxClass{class_id::kComboBox, kComboBoxFlags, &interfaces, kProperties,
                                     static_cast<std::uint32_t>(std::size(kProperties))};

}  // namespace veltrano
