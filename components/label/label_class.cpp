#include "components/label/label_class.h"

#include <span>

#include "components/classdata/label_data.h"
#include "components/label/label_object.h"
#include "components/support/class_routines.h"
#include "components/support/text_conversion.h"
#include "runtime/values/class_ids.h"

namespace veltrano {
namespace {

constexpr PropertyDescriptor kProperties[] = {
    {"Left", 1001},
    {"Top", 1001},
    {"Width", 1001},
    {"Height", 1001},
    {"Tag", 1005},
    {"Visible", 1003},
    {"Disabled", 1003},
    {"MousePointer", 1011},
    {"Caption", 1005},
    {"TextEffect", 1006},
    {"BorderStyle", 1006},
    {"GradientBorderWidth", 1001},
    {"GradientBorderColor1", 1015},
    {"GradientBorderColor2", 1015},
    {"GradientBorderColor3", 1015},
    {"Font", 1013},
    {"TextColor", 1014},
    {"BackColor", 1017},
    {"BackPicture", 1009},
    {"BackPictureMode", 1006},
    {"GradientBackground", 1006},
    {"GradientBackColor1", 1015},
    {"GradientBackColor2", 1015},
    {"GradientBackColor3", 1015},
    {"Alignment", 1006},
    {"WordWrap", 1003},
    {"VerticalAlignment", 1006},
    {"DataSource", 1018},
    {"DataColumn", 1020},
};
static_assert(std::size(kProperties) == 8 + static_cast<std::size_t>(LabelProperty::Count));

using Routines = RecordObjectRoutines<LabelObject>;

std::optional<std::vector<std::uint8_t>> convertLabelTexts(const std::uint8_t* classData, std::uint32_t length,
                                                           TextItemConversion convert, void* context) {
    if (convert == nullptr) return std::nullopt;
    auto data = classdata::decode<classdata::LabelData>(classData == nullptr ? std::span<const std::uint8_t>()
                                                                             : std::span(classData, length));
    if (!data) return std::nullopt;
    data->Caption = convert(data->Caption, context);
    data->DataSource = convert(data->DataSource, context);
    data->DataColumn = convert(data->DataColumn, context);
    return classdata::encode(*data);
}

AnyRoutine labelInterface(int number) {
    switch (number) {
        case class_interface::kCreate: return asAnyRoutine<CreateRoutine>(&Routines::create);
        case class_interface::kWriteProperty: return asAnyRoutine<WritePropertyRoutine>(&Routines::writeProperty);
        case class_interface::kSaveState: return asAnyRoutine<SaveStateRoutine>(&Routines::saveState);
        case class_interface::kReadProperty: return asAnyRoutine<ReadPropertyRoutine>(&Routines::readProperty);
        case kTextConversionInterface: return asAnyRoutine<TextConversionRoutine>(&convertLabelTexts);
        default: return nullptr;
    }
}

}  // namespace

const ClassDescriptor kLabelClass{class_id::kLabel, kLabelClassFlags, &labelInterface, kProperties,
                                  static_cast<std::uint32_t>(std::size(kProperties))};

}  // namespace veltrano
