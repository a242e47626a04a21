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
#include "components/support/common_properties.h"
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
    const auto data = classdata::decode<classdata::CommonDialogData>(classDataBytes(classData, classDataLength));
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

using classdata::CommonDialogData;
using Routines = ClassRoutines<&createCommonDialog, &writeProperty, &saveState, &readProperty>;
constexpr TextConversionRoutine kConvertTexts =
    &convertClassTexts<CommonDialogData, WithoutConverter::UnchangedData, &CommonDialogData::Title,
                       &CommonDialogData::FileName, &CommonDialogData::Filter, &CommonDialogData::InitialDir,
                       &CommonDialogData::DefaultExt, &CommonDialogData::FontName, &CommonDialogData::HelpFile>;

constexpr auto kProperties = withCommonProperties({
    {"DialogType", PropertyKind::Choice},   {"Title", PropertyKind::Text},
    {"FileName", PropertyKind::Text},       {"Filter", PropertyKind::Text},
    {"FilterIndex", PropertyKind::Integer}, {"InitialDir", PropertyKind::Text},
    {"DefaultExt", PropertyKind::Text},     {"CreatePrompt", PropertyKind::Bool},
    {"FileMustExist", PropertyKind::Bool},  {"OverwritePrompt", PropertyKind::Bool},
    {"PathMustExist", PropertyKind::Bool},  {"NoChangeDir", PropertyKind::Bool},
    {"Color", PropertyKind::Colour},        {"Bold", PropertyKind::Bool},
    {"Italic", PropertyKind::Bool},         {"StrikeOut", PropertyKind::Bool},
    {"Underline", PropertyKind::Bool},      {"FontName", PropertyKind::Text},
    {"FontSize", PropertyKind::Integer},    {"HelpFile", PropertyKind::Text},
    {"HelpCommand", PropertyKind::Choice},  {"HelpContext", PropertyKind::Integer},
});

}  // namespace

const ClassDescriptor kCommonDialogClass{
    class_id::kCommonDialog, 0x80000000u | class_flag::kNeverVisible | class_flag::kFiresEvents40,
    &classInterface<Routines, Offered<class_interface::kTextConversion, kConvertTexts>>, kProperties.data(),
    static_cast<std::uint32_t>(std::size(kProperties))};

}  // namespace veltrano
