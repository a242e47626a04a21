#include "components/group_box/group_box_class.h"

#include <span>

#include "components/classdata/group_box_data.h"
#include "components/group_box/group_box_object.h"
#include "components/support/class_routines.h"
#include "components/support/text_conversion.h"
#include "runtime/values/class_ids.h"

namespace veltrano {
namespace {

constexpr PropertyDescriptor kProperties[] = {
    {"Left", 1001},      {"Top", 1001},       {"Width", 1001},        {"Height", 1001},  {"Tag", 1005},
    {"Visible", 1003},   {"Disabled", 1003},  {"MousePointer", 1011}, {"Caption", 1005}, {"Alignment", 1006},
    {"TextColor", 1014}, {"BackColor", 1017}, {"Font", 1013},
};
static_assert(std::size(kProperties) == 8 + static_cast<std::size_t>(GroupBoxProperty::Count));

using Routines = RecordObjectRoutines<GroupBoxObject>;

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
        case class_interface::kCreate: return asAnyRoutine<CreateRoutine>(&Routines::create);
        case class_interface::kWriteProperty: return asAnyRoutine<WritePropertyRoutine>(&Routines::writeProperty);
        case class_interface::kSaveState: return asAnyRoutine<SaveStateRoutine>(&Routines::saveState);
        case class_interface::kReadProperty: return asAnyRoutine<ReadPropertyRoutine>(&Routines::readProperty);
        case kTextConversionInterface: return asAnyRoutine<TextConversionRoutine>(&convertGroupBoxTexts);
        default: return nullptr;
    }
}

}  // namespace

const ClassDescriptor kGroupBoxClass{class_id::kGroupBox, kGroupBoxClassFlags, &groupBoxInterface, kProperties,
                                     static_cast<std::uint32_t>(std::size(kProperties))};

}  // namespace veltrano
