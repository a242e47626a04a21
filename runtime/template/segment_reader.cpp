#include "runtime/template/segment_reader.h"

#include <utility>
#include <vector>

#include "runtime/template/byte_reader.h"
#include "runtime/template/component_record.h"
#include "runtime/template/little_endian.h"
#include "runtime/template/menu_item_record.h"

namespace veltrano {
namespace {

bool recordsParse(const ComponentTable& table) {
    for (std::size_t i = 0; i < table.count(); ++i) {
        const auto record = *table.recordAt(i);
        const bool parsed = table.isMenuItemAt(i) ? MenuItemRecord::parse(record).has_value()
                                                  : ComponentRecord::parse(record).has_value();
        if (!parsed) return false;
    }
    return true;
}

std::optional<WindowTemplate> readWindowTemplate(BufferedByteReader& reader) {
    WindowTemplate window;
    std::uint32_t count = 0;
    std::vector<std::uint8_t> image;
    if (!reader.readU32(window.unitWord1) || !reader.readU32(window.unitWord2) ||
        !reader.readCountedText(window.unitName) || !reader.readCountedText(window.unitComment) ||
        !reader.readU32(count) || !reader.readBlock(image)) {
        return std::nullopt;
    }
    auto table = ComponentTable::fromImage(count, image);
    if (!table || !recordsParse(*table)) return std::nullopt;
    window.table = std::move(*table);
    return window;
}

}  // namespace

std::optional<TemplateSegment> readTemplateSegment(std::span<const std::uint8_t> data) {
    BufferedByteReader reader(data);
    std::vector<std::uint8_t> directory;
    if (!reader.readBlock(directory)) return std::nullopt;
    const std::size_t windowCount = directory.size() / 8;

    TemplateSegment segment;
    segment.windowIds.reserve(windowCount);
    for (std::size_t i = 0; i < windowCount; ++i) segment.windowIds.push_back(le::loadU32(directory.data() + i * 4));
    segment.templates.reserve(windowCount);
    for (std::size_t i = 0; i < windowCount; ++i) {
        auto window = readWindowTemplate(reader);
        if (!window) return std::nullopt;
        segment.templates.push_back(std::move(*window));
    }
    return segment;
}

}  // namespace veltrano
