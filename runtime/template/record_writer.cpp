#include "runtime/template/record_writer.h"

#include <string_view>

#include "runtime/template/component_table.h"
#include "runtime/template/little_endian.h"

namespace veltrano {
namespace {

constexpr std::size_t kLimit = ComponentTable::kMaxImageSize;

bool appendZeroText(std::vector<std::uint8_t>& out, std::string_view text) {
    if (text.find('\0') != std::string_view::npos) return false;
    out.insert(out.end(), text.begin(), text.end());
    out.push_back(0);
    return true;
}

void appendZeros(std::vector<std::uint8_t>& out, std::size_t words) {
    for (std::size_t i = 0; i < words; ++i) le::appendU32(out, 0);
}

bool fits(const ComponentRecordData& data) {
    const std::size_t parts[] = {data.name.size(),         data.comment.size(),   data.tag.size(),
                                 data.mousePointer.size(), data.classData.size(), data.childIds.size() * 4,
                                 data.bindings.size() * 8};
    std::size_t total = 0;
    for (const std::size_t part : parts) {
        if (part > kLimit || total > kLimit - part) return false;
        total += part;
    }
    return data.childIds.size() <= kLimit / 4 && data.bindings.size() <= kLimit / 8 && total <= kLimit - 256;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> encodeComponentRecord(const ComponentRecordData& data) {
    if (!fits(data)) return std::nullopt;
    std::vector<std::uint8_t> out;
    le::appendU32(out, data.classId);
    le::appendU32(out, data.eventLink);
    appendZeros(out, 4);
    if (!appendZeroText(out, data.name) || !appendZeroText(out, data.comment)) return std::nullopt;
    le::appendU32(out, 0);
    le::appendU32(out, le::asUnsigned(data.left));
    le::appendU32(out, le::asUnsigned(data.top));
    le::appendU32(out, le::asUnsigned(data.width));
    le::appendU32(out, le::asUnsigned(data.height));
    le::appendU32(out, 0);
    le::appendU32(out, data.parentId);
    le::appendU32(out, static_cast<std::uint32_t>(data.childIds.size()));
    for (const std::uint32_t child : data.childIds) le::appendU32(out, child);
    le::appendU32(out, static_cast<std::uint32_t>(data.mousePointer.size()));
    out.insert(out.end(), data.mousePointer.begin(), data.mousePointer.end());
    if (!appendZeroText(out, data.tag)) return std::nullopt;
    le::appendU32(out, 0);
    le::appendU32(out, data.flags);
    le::appendU32(out, 0);
    le::appendU32(out, static_cast<std::uint32_t>(data.bindings.size()));
    for (const auto& binding : data.bindings) {
        le::appendU32(out, le::asUnsigned(binding.event));
        le::appendU32(out, binding.handler);
    }
    appendZeros(out, 5);
    out.insert(out.end(), data.classData.begin(), data.classData.end());
    return out;
}

std::optional<std::vector<std::uint8_t>> encodeMenuItemRecord(const MenuItemRecordData& data) {
    if (data.name.size() + data.comment.size() + data.caption.size() > kLimit - 64) return std::nullopt;
    std::vector<std::uint8_t> out;
    le::appendU32(out, data.classId);
    le::appendU32(out, data.eventLink);
    appendZeros(out, 4);
    if (!appendZeroText(out, data.name) || !appendZeroText(out, data.comment)) return std::nullopt;
    le::appendU32(out, data.word1);
    le::appendU32(out, data.word2);
    le::appendU32(out, data.flags);
    if (!appendZeroText(out, data.caption)) return std::nullopt;
    le::appendU32(out, data.handler);
    return out;
}

}  // namespace veltrano
