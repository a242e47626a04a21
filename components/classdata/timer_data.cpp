#include "components/classdata/timer_data.h"

namespace veltrano::classdata {

template <>
std::optional<TimerData> decode<TimerData>(std::span<const std::uint8_t> bytes) {
    TimerData d;
    if (bytes.empty()) return d;
    Reader r(bytes);
    std::uint32_t version = 0;
    r.version(TimerData::kNewestVersion, version).i32(d.Interval);
    if (!r.ok()) return std::nullopt;
    return d;
}

std::vector<std::uint8_t> encode(const TimerData& d) {
    Writer w;
    w.u32(TimerData::kNewestVersion).i32(d.Interval);
    return w.take();
}

}  // namespace veltrano::classdata
