#include "runtime/template/handler_relocation.h"

#include "runtime/template/component_record.h"
#include "runtime/template/menu_item_record.h"

namespace veltrano {

bool relocateHandlers(ComponentTable& table, std::uint32_t codeBase) {
    bool allParsed = true;
    for (std::size_t i = 0; i < table.count(); ++i) {
        const auto record = *table.mutableRecordAt(i);
        if (table.isMenuItemAt(i)) {
            const auto item = MenuItemRecord::parse(record);
            if (!item) {
                allParsed = false;
                continue;
            }
            writeRecordWord(record, item->handlerPosition, relocateHandler(item->handler, codeBase));
            continue;
        }
        const auto view = ComponentRecord::parse(record);
        if (!view) {
            allParsed = false;
            continue;
        }
        for (std::size_t b = 0; b < view->bindingCount; ++b) {
            const EventBinding binding = view->binding(b);
            writeRecordWord(record, binding.handlerPosition, relocateHandler(binding.handler, codeBase));
        }
    }
    return allParsed;
}

bool relocateHandlers(TemplateSegment& segment, std::uint32_t codeBase) {
    bool allParsed = true;
    for (WindowTemplate& window : segment.templates) allParsed = relocateHandlers(window.table, codeBase) && allParsed;
    return allParsed;
}

}  // namespace veltrano
