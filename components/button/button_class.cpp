#include "components/button/button_class.h"

#include "components/button/button_object.h"
#include "components/classdata/button_data.h"
#include "components/support/class_routines.h"
#include "components/support/common_properties.h"
#include "components/support/text_conversion.h"
#include "runtime/values/class_ids.h"

namespace veltrano {
namespace {

constexpr auto kProperties = withCommonProperties({
    {"ButtonPicture", PropertyKind::Picture},
    {"ButtonType", PropertyKind::Choice},
    {"Caption", PropertyKind::Text},
    {"Alignment", PropertyKind::Choice},
    {"VerticalAlignment", PropertyKind::Choice},
    {"Font", PropertyKind::Font},
});
static_assert(std::size(kProperties) == 8 + static_cast<std::size_t>(ButtonProperty::Count));

using classdata::ButtonData;
constexpr TextConversionRoutine kConvertTexts =
    &convertClassTexts<ButtonData, WithoutConverter::Nothing, &ButtonData::Caption>;

bool isDefaultButton(WindowObject* object) {
    const auto* button = dynamic_cast<const ButtonObject*>(object);
    return button != nullptr && button->isDefaultButton();
}

}  // namespace

const ClassDescriptor kButtonClass{
    class_id::kButton, kButtonClassFlags,
    &classInterface<RecordObjectRoutines<ButtonObject>, Offered<class_interface::kTextConversion, kConvertTexts>,
                    Offered<class_interface::kDefaultButton, &isDefaultButton>>,
    kProperties.data(), static_cast<std::uint32_t>(std::size(kProperties))};

}  // namespace veltrano
