#include "components/edit_box/edit_box_class.h"

#include <algorithm>
#include <memory>
#include <span>

#include "components/edit_box/edit_box_object.h"
#include "components/edit_box/input_mode.h"
#include "components/support/class_routines.h"
#include "components/support/control_appearance.h"
#include "components/support/control_interfaces.h"
#include "runtime/kernel/wide_text.h"
#include "runtime/values/class_ids.h"

namespace veltrano {
namespace {

constexpr std::uint32_t kEditBoxFlags = 0x80000040;

constexpr PropertyDescriptor kProperties[] = {
    {"Left", 1001},        {"Top", 1001},           {"Width", 1001},
    {"Height", 1001},      {"Tag", 1005},           {"Visible", 1003},
    {"Disabled", 1003},    {"MousePointer", 1011},  {"Text", 1005},
    {"BorderStyle", 1006}, {"TextColor", 1014},     {"BackColor", 1017},
    {"Font", 1013},        {"HideSelection", 1003}, {"MaxLength", 1001},
    {"MultiLine", 1003},   {"ScrollBars", 1006},    {"Alignment", 1006},
    {"InputMode", 1006},   {"PasswordChar", 1005},  {"CaseConversion", 1006},
    {"SpinMode", 1006},    {"SpinMin", 1001},       {"SpinMax", 1001},
    {"SelStart", 1001},    {"SelLength", 1001},     {"SelText", 1005},
    {"DataSource", 1018},  {"DataColumn", 1020},
};
static_assert(std::size(kProperties) == 8 + edit_box_property::kCount);

std::span<const std::uint8_t> blockOf(const std::uint8_t* data, std::uint32_t length) noexcept {
    if (data == nullptr) return {};
    return {data, length};
}

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
    auto data = classdata::decode<classdata::EditBoxData>(blockOf(classData, classDataLength));
    if (!data) return nullptr;
    clampEnumerations(*data);
    controls::ensureCommonControls();
    const std::wstring text = wideFromCodePage936(data->Text);
    auto object = std::make_unique<EditBoxObject>(*data, designMode != 0);
    const HWND window =
        CreateWindowExW(0, L"EDIT", text.c_str(), editStyle(*data, style), left, top, width, height, parent,
                        controls::childIdentifier(controlId, menu), GetModuleHandleW(nullptr), nullptr);
    EditBoxObject* created = adoptSystemWindow(std::move(object), window, windowId, componentId);
    if (created != nullptr) created->applyCreationState();
    return created;
}

using PropertyRoutines = ObjectPropertyRoutines<EditBoxObject, classdata::EditBoxData>;

int wantsKey(WindowObject* object, unsigned virtualKey) {
    if (object == nullptr) return 0;
    return static_cast<EditBoxObject*>(object)->wantsKey(virtualKey) ? 1 : 0;
}

std::optional<std::vector<std::uint8_t>> convertTexts(const std::uint8_t* classData, std::uint32_t classDataLength,
                                                      TextConverter convert, void* context) {
    auto data = classdata::decode<classdata::EditBoxData>(blockOf(classData, classDataLength));
    if (!data) return std::nullopt;
    if (convert != nullptr) {
        data->Text = convert(data->Text, context);
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
        case control_interface::kWantsKey: return asAnyRoutine<WantsKeyRoutine>(&wantsKey);
        case control_interface::kTextConversion: return asAnyRoutine<TextConversionRoutine>(&convertTexts);
        default: return nullptr;
    }
}

}  // namespace

const ClassDescriptor kEditBoxClass{class_id::kEditBox, kEditBoxFlags, &interfaces, kProperties,
                                    static_cast<std::uint32_t>(std::size(kProperties))};

}  // namespace veltrano
