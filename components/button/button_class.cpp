#include "components/button/button_class.h"

#include <span>

#include "components/button/button.h"
#include "components/classdata/button_data.h"
#include "components/classdata/class_ids.h"
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
    {"ButtonPicture", 1009},
    {"ButtonType", 1006},
    {"Caption", 1005},
    {"Alignment", 1006},
    {"VerticalAlignment", 1006},
    {"Font", 1013},
};
static_assert(std::size(kProperties) == 8 + static_cast<std::size_t>(ButtonProperty::Count));

ButtonObject* asButton(WindowObject* object) noexcept {
    return dynamic_cast<ButtonObject*>(object);
}

WindowObject* createButton(const std::uint8_t* classData, std::uint32_t classDataLength, std::uint32_t style,
                           HWND parent, std::uint32_t controlId, HMENU, int left, int top, int width, int height,
                           std::uint32_t windowId, std::uint32_t componentId, std::uint32_t, std::uint32_t) {
    const std::span<const std::uint8_t> data =
        classData == nullptr ? std::span<const std::uint8_t>() : std::span(classData, classDataLength);
    return ButtonObject::create(data, style, parent, controlId, RECT{left, top, left + width, top + height}, windowId,
                                componentId);
}

int writeButtonProperty(WindowObject* object, int index, const RawValue* value, int) {
    ButtonObject* button = asButton(object);
    if (button == nullptr || value == nullptr) return 0;
    return button->writeProperty(index, *value);
}

std::vector<std::uint8_t> saveButton(WindowObject* object) {
    const ButtonObject* button = asButton(object);
    return button == nullptr ? std::vector<std::uint8_t>() : button->save();
}

void readButtonProperty(WindowObject* object, int index, RawValue* value) {
    if (value == nullptr) return;
    const ButtonObject* button = asButton(object);
    if (button == nullptr || !button->readProperty(index, *value)) *value = RawValue{};
}

std::optional<std::vector<std::uint8_t>> convertButtonTexts(const std::uint8_t* classData, std::uint32_t length,
                                                            TextItemConversion convert, void* context) {
    if (convert == nullptr) return std::nullopt;
    auto data = classdata::decode<classdata::ButtonData>(classData == nullptr ? std::span<const std::uint8_t>()
                                                                              : std::span(classData, length));
    if (!data) return std::nullopt;
    data->Caption = convert(data->Caption, context);
    return classdata::encode(*data);
}

bool isDefaultButton(WindowObject* object) {
    const ButtonObject* button = asButton(object);
    return button != nullptr && button->isDefaultButton();
}

AnyRoutine buttonInterface(int number) {
    switch (number) {
        case class_interface::kCreate: return asAnyRoutine<CreateRoutine>(&createButton);
        case class_interface::kWriteProperty: return asAnyRoutine<WritePropertyRoutine>(&writeButtonProperty);
        case class_interface::kSaveState: return asAnyRoutine<SaveStateRoutine>(&saveButton);
        case class_interface::kReadProperty: return asAnyRoutine<ReadPropertyRoutine>(&readButtonProperty);
        case kTextConversionInterface: return asAnyRoutine<TextConversionRoutine>(&convertButtonTexts);
        case kIsDefaultButtonInterface: return asAnyRoutine<IsDefaultButtonRoutine>(&isDefaultButton);
        default: return nullptr;
    }
}

}  // namespace

const ClassDescriptor kButtonClass{class_id::kButton, kButtonClassFlags, &buttonInterface, kProperties,
                                   static_cast<std::uint32_t>(std::size(kProperties))};

}  // namespace veltrano
