#include "components/classdata/label_data.h"

namespace veltrano::classdata {

template <>
std::optional<LabelData> decode<LabelData>(std::span<const std::uint8_t> bytes) {
    LabelData d;
    if (bytes.empty()) return d;
    Reader r(bytes);
    std::uint32_t version = 0;
    r.version(LabelData::kNewestVersion, version);
    r.i32(d.TextEffect).i32(d.GradientBorderWidth).i32(d.BorderStyle);
    r.u32(d.GradientBorderColor1).u32(d.GradientBorderColor2).u32(d.GradientBorderColor3);
    r.u32(d.TextColor).u32(d.BackColor).i32(d.BackPictureMode).i32(d.GradientBackground);
    r.u32(d.GradientBackColor1).u32(d.GradientBackColor2).u32(d.GradientBackColor3);
    r.i32(d.Alignment).i32(d.VerticalAlignment).flag(d.WordWrap);
    r.bytes(d.Font).bytes(d.BackPicture).text(d.Caption);
    if (version >= 2) r.text(d.DataSource).text(d.DataColumn);
    if (!r.ok()) return std::nullopt;
    return d;
}

std::vector<std::uint8_t> encode(const LabelData& d) {
    Writer w;
    w.u32(LabelData::kNewestVersion);
    w.i32(d.TextEffect).i32(d.GradientBorderWidth).i32(d.BorderStyle);
    w.u32(d.GradientBorderColor1).u32(d.GradientBorderColor2).u32(d.GradientBorderColor3);
    w.u32(d.TextColor).u32(d.BackColor).i32(d.BackPictureMode).i32(d.GradientBackground);
    w.u32(d.GradientBackColor1).u32(d.GradientBackColor2).u32(d.GradientBackColor3);
    w.i32(d.Alignment).i32(d.VerticalAlignment).flag(d.WordWrap);
    w.bytes(d.Font).bytes(d.BackPicture).text(d.Caption);
    w.text(d.DataSource).text(d.DataColumn);
    return w.take();
}

}  // namespace veltrano::classdata
