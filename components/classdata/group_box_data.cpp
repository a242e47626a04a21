#include "components/classdata/group_box_data.h"

namespace veltrano::classdata {

template <>
std::optional<GroupBoxData> decode<GroupBoxData>(std::span<const std::uint8_t> bytes) {
    GroupBoxData d;
    if (bytes.empty()) return d;
    Reader r(bytes);
    std::uint32_t version = 0;
    r.version(GroupBoxData::kNewestVersion, version);
    r.i32(d.Alignment).u32(d.TextColor).u32(d.BackColor).bytes(d.Font).text(d.Caption);
    if (!r.ok()) return std::nullopt;
    return d;
}

std::vector<std::uint8_t> encode(const GroupBoxData& d) {
    Writer w;
    w.u32(GroupBoxData::kNewestVersion);
    w.i32(d.Alignment).u32(d.TextColor).u32(d.BackColor).bytes(d.Font).text(d.Caption);
    return w.take();
}

}  // namespace veltrano::classdata
