#include "components/group_box/group_box_class.h"

#include "components/classdata/group_box_data.h"
#include "components/group_box/group_box_object.h"
#include "components/support/class_routines.h"
#include "components/support/common_properties.h"
#include "components/support/text_conversion.h"
#include "runtime/values/class_ids.h"

namespace veltrano {
namespace {

constexpr auto kProperties = withCommonProperties({
    {"Caption", PropertyKind::Text},
    {"Alignment", PropertyKind::Choice},
    {"TextColor", PropertyKind::Colour},
    {"BackColor", PropertyKind::BackgroundColour},
    {"Font", PropertyKind::Font},
});
static_assert(std::size(kProperties) == 8 + static_cast<std::size_t>(GroupBoxProperty::Count));

using classdata::GroupBoxData;
constexpr TextConversionRoutine kConvertTexts =
    &convertClassTexts<GroupBoxData, WithoutConverter::Nothing, &GroupBoxData::Caption>;

}  // namespace

const ClassDescriptor kGroupBoxClass{
    class_id::kGroupBox, kGroupBoxClassFlags,
    &classInterface<RecordObjectRoutines<GroupBoxObject>, Offered<class_interface::kTextConversion, kConvertTexts>>,
    kProperties.data(), static_cast<std::uint32_t>(std::size(kProperties))};

}  // namespace veltrano
