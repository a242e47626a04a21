#include "runtime/template/segment_writer.h"

#include <string>

#include "runtime/template/little_endian.h"

namespace veltrano {
namespace {

constexpr std::size_t kLimit = ComponentTable::kMaxImageSize;

bool appendCountedText(std::vector<std::uint8_t>& out, const std::string& text) {
    if (text.size() > kLimit) return false;
    le::appendU32(out, static_cast<std::uint32_t>(text.size()));
    out.insert(out.end(), text.begin(), text.end());
    return true;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> writeTemplateSegment(const TemplateSegment& segment) {
    const std::size_t windowCount = segment.windowIds.size();
    if (windowCount != segment.templates.size() || windowCount > kLimit / 8) return std::nullopt;

    std::vector<std::uint8_t> out;
    le::appendU32(out, static_cast<std::uint32_t>(windowCount * 8));
    for (const std::uint32_t id : segment.windowIds) le::appendU32(out, id);
    for (std::size_t i = 0; i < windowCount; ++i) le::appendU32(out, 0);

    for (const WindowTemplate& window : segment.templates) {
        le::appendU32(out, window.unitWord1);
        le::appendU32(out, window.unitWord2);
        if (!appendCountedText(out, window.unitName) || !appendCountedText(out, window.unitComment)) {
            return std::nullopt;
        }
        const auto image = window.table.image();
        le::appendU32(out, static_cast<std::uint32_t>(window.table.count()));
        le::appendU32(out, static_cast<std::uint32_t>(image.size()));
        out.insert(out.end(), image.begin(), image.end());
    }
    return out;
}

}  // namespace veltrano
