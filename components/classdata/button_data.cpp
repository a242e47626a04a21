#include "components/classdata/button_data.h"

namespace veltrano::classdata {

template <>
std::optional<ButtonData> decode<ButtonData>(std::span<const std::uint8_t> bytes) {
    ButtonData d;
    if (bytes.empty()) return d;
    Reader r(bytes);
    std::uint32_t version = 0;
    r.version(ButtonData::kNewestVersion, version);
    r.i32(d.ButtonType).i32(d.Alignment).i32(d.VerticalAlignment);
    r.bytes(d.ButtonPicture).bytes(d.Font).text(d.Caption);
    if (!r.ok()) return std::nullopt;
    return d;
}

std::vector<std::uint8_t> encode(const ButtonData& d) {
    Writer w;
    w.u32(ButtonData::kNewestVersion);
    w.i32(d.ButtonType).i32(d.Alignment).i32(d.VerticalAlignment);
    w.bytes(d.ButtonPicture).bytes(d.Font).text(d.Caption);
    return w.take();
}

}  // namespace veltrano::classdata
