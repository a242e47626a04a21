#include "components/common_dialog/common_dialog_class.h"

#include <iterator>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "components/classdata/common_dialog_data.h"
#include "components/common_dialog/common_dialog_object.h"
#include "components/support/class_routines.h"
#include "components/support/hidden_component_window.h"
#include "components/support/text_conversion.h"
#include "runtime/values/class_ids.h"

namespace veltrano {
namespace {

constexpr wchar_t kWindowClass[] = L"_QL_CommonDlg";

WindowObject* createCommonDialog(const std::uint8_t* classData, std::uint32_t classDataLength, std::uint32_t style,
                                 HWND parent, std::uint32_t controlId, HMENU, int left, int top, int width, int height,
                                 std::uint32_t windowId, std::uint32_t componentId, std::uint32_t,
                                 std::uint32_t designMode) {
    const auto data = classdata::decode<classdata::CommonDialogData>(
        classData == nullptr ? std::span<const std::uint8_t>{}
                             : std::span<const std::uint8_t>{classData, classDataLength});
    if (!data) return nullptr;

    HWND window = createHiddenComponentWindow(kWindowClass, style, designMode != 0, parent, controlId,
                                              RECT{left, top, left + width, top + height});
    return adoptSystemWindow(std::make_unique<CommonDialogObject>(*data), window, windowId, componentId);
}

int writeProperty(WindowObject* object, int index, const RawValue* value, int) {
    if (value != nullptr) static_cast<CommonDialogObject*>(object)->writeProperty(index, *value);
    return 0;
}

std::vector<std::uint8_t> saveState(WindowObject* object) {
    return classdata::encode(static_cast<CommonDialogObject*>(object)->data());
}

void readProperty(WindowObject* object, int index, RawValue* value) {
    if (value != nullptr) static_cast<CommonDialogObject*>(object)->readProperty(index, *value);
}

std::optional<std::vector<std::uint8_t>> convertTexts(const std::uint8_t* classData, std::uint32_t length,
                                                      TextItemConversion convert, void* context) {
    auto data = classdata::decode<classdata::CommonDialogData>(
        classData == nullptr ? std::span<const std::uint8_t>{} : std::span<const std::uint8_t>{classData, length});
    if (!data) return std::nullopt;
    if (convert != nullptr) {
        for (std::string* text : {&data->Title, &data->FileName, &data->Filter, &data->InitialDir, &data->DefaultExt,
                                  &data->FontName, &data->HelpFile}) {
            *text = convert(*text, context);
        }
    }
    return classdata::encode(*data);
}

AnyRoutine commonDialogInterfaces(int interfaceNumber) {
    switch (interfaceNumber) {
        case class_interface::kCreate: return asAnyRoutine<CreateRoutine>(&createCommonDialog);
        case class_interface::kWriteProperty: return asAnyRoutine<WritePropertyRoutine>(&writeProperty);
        case class_interface::kSaveState: return asAnyRoutine<SaveStateRoutine>(&saveState);
        case class_interface::kReadProperty: return asAnyRoutine<ReadPropertyRoutine>(&readProperty);
        case kTextConversionInterface: return asAnyRoutine<TextConversionRoutine>(&convertTexts);
        default: return nullptr;
    }
}

constexpr std::uint16_t kind(PropertyKind value) noexcept {
    return static_cast<std::uint16_t>(value);
}

const PropertyDescriptor kCommonDialogProperties[] = {
    {"Left", kind(PropertyKind::Integer)},
    {"Top", kind(PropertyKind::Integer)},
    {"Width", kind(PropertyKind::Integer)},
    {"Height", kind(PropertyKind::Integer)},
    {"Tag", kind(PropertyKind::Text)},
    {"Visible", kind(PropertyKind::Bool)},
    {"Disabled", kind(PropertyKind::Bool)},
    {"MousePointer", kind(PropertyKind::Cursor)},
    {"DialogType", kind(PropertyKind::Choice)},
    {"Title", kind(PropertyKind::Text)},
    {"FileName", kind(PropertyKind::Text)},
    {"Filter", kind(PropertyKind::Text)},
    {"FilterIndex", kind(PropertyKind::Integer)},
    {"InitialDir", kind(PropertyKind::Text)},
    {"DefaultExt", kind(PropertyKind::Text)},
    {"CreatePrompt", kind(PropertyKind::Bool)},
    {"FileMustExist", kind(PropertyKind::Bool)},
    {"OverwritePrompt", kind(PropertyKind::Bool)},
    {"PathMustExist", kind(PropertyKind::Bool)},
    {"NoChangeDir", kind(PropertyKind::Bool)},
    {"Color", kind(PropertyKind::Colour)},
    {"Bold", kind(PropertyKind::Bool)},
    {"Italic", kind(PropertyKind::Bool)},
    {"StrikeOut", kind(PropertyKind::Bool)},
    {"Underline", kind(PropertyKind::Bool)},
    {"FontName", kind(PropertyKind::Text)},
    {"FontSize", kind(PropertyKind::Integer)},
    {"HelpFile", kind(PropertyKind::Text)},
    {"HelpCommand", kind(PropertyKind::Choice)},
    {"HelpContext", kind(PropertyKind::Integer)},
};

}  // namespace

const ClassDescriptor kCommonDialogClass{
    class_id::kCommonDialog, 0x80000000u | class_flag::kNeverVisible | class_flag::kFiresEvents40,
    &commonDialogInterfaces, kCommonDialogProperties, static_cast<std::uint32_t>(std::size(kCommonDialogProperties))};

}  // namespace veltrano
