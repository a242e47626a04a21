#include "components/classdata/edit_box_data.h"

namespace veltrano::classdata {

template <>
std::optional<EditBoxData> decode<EditBoxData>(std::span<const std::uint8_t> bytes) {
    EditBoxData d;
    if (bytes.empty()) return d;
    Reader r(bytes);
    std::uint32_t version = 0;
    r.version(EditBoxData::kNewestVersion, version);
    r.i32(d.BorderStyle).u32(d.TextColor).u32(d.BackColor).flag(d.HideSelection).i32(d.MaxLength);
    r.flag(d.MultiLine).i32(d.ScrollBars).i32(d.Alignment).i32(d.InputMode);
    r.u16(d.PasswordChar);
    r.i32(d.CaseConversion).i32(d.SpinMode).i32(d.SpinMin).i32(d.SpinMax).i32(d.SelStart).i32(d.SelLength);
    r.bytes(d.Font).text(d.Text);
    if (version >= 2) r.text(d.DataSource).text(d.DataColumn);
    if (!r.ok()) return std::nullopt;
    return d;
}

std::vector<std::uint8_t> encode(const EditBoxData& d) {
    Writer w;
    w.u32(EditBoxData::kNewestVersion);
    w.i32(d.BorderStyle).u32(d.TextColor).u32(d.BackColor).flag(d.HideSelection).i32(d.MaxLength);
    w.flag(d.MultiLine).i32(d.ScrollBars).i32(d.Alignment).i32(d.InputMode);
    w.u16(d.PasswordChar);
    w.i32(d.CaseConversion).i32(d.SpinMode).i32(d.SpinMin).i32(d.SpinMax).i32(d.SelStart).i32(d.SelLength);
    w.bytes(d.Font).text(d.Text);
    w.text(d.DataSource).text(d.DataColumn);
    return w.take();
}

}  // namespace veltrano::classdata
