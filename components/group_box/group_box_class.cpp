#include "components/group_box/group_box_class.h"

#include <span>

#include "components/classdata/class_ids.h"
#include "components/classdata/group_box_data.h"
#include "components/group_box/group_box.h"
#include "components/label/text_conversion.h"

namespace veltrano {
namespace {

constexpr PropertyDescriptor kProperties[] = {
    {"Left", 1001},      {"Top", 1001},       {"Width", 1001},        {"Height", 1001},  {"Tag", 1005},
    {"Visible", 1003},   {"Disabled", 1003},  {"MousePointer", 1011}, {"Caption", 1005}, {"Alignment", 1006},
    {"TextColor", 1014}, {"BackColor", 1017}, {"Font", 1013},
};
static_assert(std::size(kProperties) == 8 + static_cast<std::size_t>(GroupBoxProperty::Count));

GroupBoxObject* asGroupBox(WindowObject* object) noexcept {
    return dynamic_cast<GroupBoxObject*>(object);
}

WindowObject* createGroupBox(const std::uint8_t* classData, std::uint32_t classDataLength, std::uint32_t style,
                             HWND parent, std::uint32_t controlId, HMENU, int left, int top, int width, int height,
                             std::uint32_t windowId, std::uint32_t componentId, std::uint32_t, std::uint32_t) {
    const std::span<const std::uint8_t> data =
        classData == nullptr ? std::span<const std::uint8_t>() : std::span(classData, classDataLength);
    return GroupBoxObject::create(data, style, parent, controlId, RECT{left, top, left + width, top + height}, windowId,
                                  componentId);
}

int writeGroupBoxProperty(WindowObject* object, int index, const RawValue* value, int) {
    GroupBoxObject* groupBox = asGroupBox(object);
    if (groupBox == nullptr || value == nullptr) return 0;
    return groupBox->writeProperty(index, *value);
}

std::vector<std::uint8_t> saveGroupBox(WindowObject* object) {
    const GroupBoxObject* groupBox = asGroupBox(object);
    return groupBox == nullptr ? std::vector<std::uint8_t>() : groupBox->save();
}

void readGroupBoxProperty(WindowObject* object, int index, RawValue* value) {
    if (value == nullptr) return;
    const GroupBoxObject* groupBox = asGroupBox(object);
    if (groupBox == nullptr || !groupBox->readProperty(index, *value)) *value = RawValue{};
}

std::optional<std::vector<std::uint8_t>> convertGroupBoxTexts(const std::uint8_t* classData, std::uint32_t length,
                                                              TextItemConversion convert, void* context) {
    if (convert == nullptr) return std::nullopt;
    auto data = classdata::decode<classdata::GroupBoxData>(classData == nullptr ? std::span<const std::uint8_t>()
                                                                                : std::span(classData, length));
    if (!data) return std::nullopt;
    data->Caption = convert(data->Caption, context);
    return classdata::encode(*data);
}

AnyRoutine groupBoxInterface(int number) {
    switch (number) {
        case class_interface::kCreate: return asAnyRoutine<CreateRoutine>(&createGroupBox);
        case class_interface::kWriteProperty: return asAnyRoutine<WritePropertyRoutine>(&writeGroupBoxProperty);
        case class_interface::kSaveState: return asAnyRoutine<SaveStateRoutine>(&saveGroupBox);
        case class_interface::kReadProperty: return asAnyRoutine<ReadPropertyRoutine>(&readGroupBoxProperty);
        case kTextConversionInterface: return asAnyRoutine<TextConversionRoutine>(&convertGroupBoxTexts);
        default: return nullptr;
    }
}

}  // namespace

const ClassDescriptor kGroupBoxClass{class_id::kGroupBox, kGroupBoxClassFlags, &groupBoxInterface, kProperties,
                                     static_cast<std::uint32_t>(std::size(kProperties))};

}  // namespace veltrano
