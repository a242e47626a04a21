#include "components/label/label_class.h"

#include "components/classdata/label_data.h"
#include "components/label/label_object.h"
#include "components/support/class_routines.h"
#include "components/support/common_properties.h"
#include "components/support/text_conversion.h"
#include "runtime/values/class_ids.h"

namespace veltrano {
namespace {

constexpr auto kProperties = withCommonProperties({
    {"Caption", PropertyKind::Text},
    {"TextEffect", PropertyKind::Choice},
    {"BorderStyle", PropertyKind::Choice},
    {"GradientBorderWidth", PropertyKind::Integer},
    {"GradientBorderColor1", PropertyKind::ColourOrTransparent},
    {"GradientBorderColor2", PropertyKind::ColourOrTransparent},
    {"GradientBorderColor3", PropertyKind::ColourOrTransparent},
    {"Font", PropertyKind::Font},
    {"TextColor", PropertyKind::Colour},
    {"BackColor", PropertyKind::BackgroundColour},
    {"BackPicture", PropertyKind::Picture},
    {"BackPictureMode", PropertyKind::Choice},
    {"GradientBackground", PropertyKind::Choice},
    {"GradientBackColor1", PropertyKind::ColourOrTransparent},
    {"GradientBackColor2", PropertyKind::ColourOrTransparent},
    {"GradientBackColor3", PropertyKind::ColourOrTransparent},
    {"Alignment", PropertyKind::Choice},
    {"WordWrap", PropertyKind::Bool},
    {"VerticalAlignment", PropertyKind::Choice},
    {"DataSource", PropertyKind::DataSource},
    {"DataColumn", PropertyKind::DataColumn},
});
static_assert(std::size(kProperties) == 8 + static_cast<std::size_t>(LabelProperty::Count));

using classdata::LabelData;
constexpr TextConversionRoutine kConvertTexts =
    &convertClassTexts<LabelData, WithoutConverter::Nothing, &LabelData::Caption, &LabelData::DataSource,
                       &LabelData::DataColumn>;

}  // namespace

const ClassDescriptor kLabelClass{
    class_id::kLabel, kLabelClassFlags,
    &classInterface<RecordObjectRoutines<LabelObject>, Offered<class_interface::kTextConversion, kConvertTexts>>,
    kProperties.data(), static_cast<std::uint32_t>(std::size(kProperties))};

}  // namespace veltrano
