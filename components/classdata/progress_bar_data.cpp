#include "components/classdata/progress_bar_data.h"

namespace veltrano::classdata {

template <>
std::optional<ProgressBarData> decode<ProgressBarData>(std::span<const std::uint8_t> bytes) {
    ProgressBarData d;
    if (bytes.empty()) return d;
    Reader r(bytes);
    std::uint32_t version = 0;
    r.version(ProgressBarData::kNewestVersion, version);
    r.i32(d.BorderStyle).i32(d.Orientation).i32(d.BarStyle).i32(d.Minimum).i32(d.Maximum).i32(d.Position);
    if (!r.ok()) return std::nullopt;
    return d;
}

std::vector<std::uint8_t> encode(const ProgressBarData& d) {
    Writer w;
    w.u32(ProgressBarData::kNewestVersion);
    w.i32(d.BorderStyle).i32(d.Orientation).i32(d.BarStyle).i32(d.Minimum).i32(d.Maximum).i32(d.Position);
    return w.take();
}

}  // namespace veltrano::classdata
