#include "runtime/template/menu_item_record.h"

#include "runtime/template/record_cursor.h"

namespace veltrano {

std::optional<MenuItemRecord> MenuItemRecord::parse(std::span<const std::uint8_t> record) noexcept {
    MenuItemRecord item;
    RecordCursor cursor(record);
    if (!cursor.word(item.classId) || !cursor.word(item.eventLink) || !cursor.skip(16)) return std::nullopt;
    if (!cursor.zeroText(item.name) || !cursor.zeroText(item.comment)) return std::nullopt;
    if (!cursor.word(item.word1) || !cursor.word(item.word2)) return std::nullopt;
    item.flagsPosition = cursor.position();
    if (!cursor.word(item.flags) || !cursor.zeroText(item.caption)) return std::nullopt;
    item.handlerPosition = cursor.position();
    if (!cursor.word(item.handler)) return std::nullopt;
    return item;
}

}  // namespace veltrano
