#include "components/label/label_class.h"

#include <span>

#include "components/classdata/class_ids.h"
#include "components/classdata/label_data.h"
#include "components/label/label.h"
#include "components/label/text_conversion.h"

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

LabelObject* asLabel(WindowObject* object) noexcept {
    return dynamic_cast<LabelObject*>(object);
}

WindowObject* createLabel(const std::uint8_t* classData, std::uint32_t classDataLength, std::uint32_t style,
                          HWND parent, std::uint32_t controlId, HMENU, int left, int top, int width, int height,
                          std::uint32_t windowId, std::uint32_t componentId, std::uint32_t, std::uint32_t) {
    const std::span<const std::uint8_t> data =
        classData == nullptr ? std::span<const std::uint8_t>() : std::span(classData, classDataLength);
    return LabelObject::create(data, style, parent, controlId, RECT{left, top, left + width, top + height}, windowId,
                               componentId);
}

int writeLabelProperty(WindowObject* object, int index, const RawValue* value, int) {
    LabelObject* label = asLabel(object);
    if (label == nullptr || value == nullptr) return 0;
    return label->writeProperty(index, *value);
}

std::vector<std::uint8_t> saveLabel(WindowObject* object) {
    const LabelObject* label = asLabel(object);
    return label == nullptr ? std::vector<std::uint8_t>() : label->save();
}

void readLabelProperty(WindowObject* object, int index, RawValue* value) {
    if (value == nullptr) return;
    const LabelObject* label = asLabel(object);
    if (label == nullptr || !label->readProperty(index, *value)) *value = RawValue{};
}

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
        case class_interface::kCreate: return asAnyRoutine<CreateRoutine>(&createLabel);
        case class_interface::kWriteProperty: return asAnyRoutine<WritePropertyRoutine>(&writeLabelProperty);
        case class_interface::kSaveState: return asAnyRoutine<SaveStateRoutine>(&saveLabel);
        case class_interface::kReadProperty: return asAnyRoutine<ReadPropertyRoutine>(&readLabelProperty);
        case kTextConversionInterface: return asAnyRoutine<TextConversionRoutine>(&convertLabelTexts);
        default: return nullptr;
    }
}

}  // namespace

const ClassDescriptor kLabelClass{class_id::kLabel, kLabelClassFlags, &labelInterface, kProperties,
                                  static_cast<std::uint32_t>(std::size(kProperties))};

}  // namespace veltrano
