#include "components/button/button_class.h"

#include <span>

#include "components/button/button_object.h"
#include "components/classdata/button_data.h"
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
    {"ButtonPicture", 1009},
    {"ButtonType", 1006},
    {"Caption", 1005},
    {"Alignment", 1006},
    {"VerticalAlignment", 1006},
    {"Font", 1013},
};
static_assert(std::size(kProperties) == 8 + static_cast<std::size_t>(ButtonProperty::Count));

using Routines = RecordObjectRoutines<ButtonObject>;

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
    const auto* button = dynamic_cast<const ButtonObject*>(object);
    return button != nullptr && button->isDefaultButton();
}

AnyRoutine buttonInterface(int number) {
    switch (number) {
        case class_interface::kCreate: return asAnyRoutine<CreateRoutine>(&Routines::create);
        case class_interface::kWriteProperty: return asAnyRoutine<WritePropertyRoutine>(&Routines::writeProperty);
        case class_interface::kSaveState: return asAnyRoutine<SaveStateRoutine>(&Routines::saveState);
        case class_interface::kReadProperty: return asAnyRoutine<ReadPropertyRoutine>(&Routines::readProperty);
        case kTextConversionInterface: return asAnyRoutine<TextConversionRoutine>(&convertButtonTexts);
        case kIsDefaultButtonInterface: return asAnyRoutine<IsDefaultButtonRoutine>(&isDefaultButton);
        default: return nullptr;
    }
}

}  // namespace

const ClassDescriptor kButtonClass{class_id::kButton, kButtonClassFlags, &buttonInterface, kProperties,
                                   static_cast<std::uint32_t>(std::size(kProperties))};

}  // namespace veltrano
