#include "template_check.h"

#include <algorithm>
#include <vector>

#include "runtime/template/component_record.h"
#include "runtime/template/handler_relocation.h"
#include "runtime/template/menu_item_record.h"
#include "runtime/template/segment_reader.h"
#include "runtime/template/segment_writer.h"

namespace veltrano::fuzz {
namespace {

constexpr std::uint32_t kCodeBase = 0x00401000;

bool inside(std::span<const std::uint8_t> record, const void* data, std::size_t size) {
    const auto* first = static_cast<const std::uint8_t*>(data);
    if (size == 0) {
        return true;
    }
    return first >= record.data() && first <= record.data() + record.size() &&
           size <= static_cast<std::size_t>(record.data() + record.size() - first);
}

std::string where(std::size_t window, std::size_t entry) {
    return " in entry " + std::to_string(entry) + " of window " + std::to_string(window);
}

// The handler words each entry binds, in record order.
std::vector<std::uint32_t> handlersOf(const ComponentTable& table) {
    std::vector<std::uint32_t> handlers;
    for (std::size_t i = 0; i < table.count(); ++i) {
        const auto record = *table.recordAt(i);
        if (table.isMenuItemAt(i)) {
            if (const auto item = MenuItemRecord::parse(record)) {
                handlers.push_back(item->handler);
            }
        } else if (const auto view = ComponentRecord::parse(record)) {
            for (const EventBinding& binding : view->bindings()) {
                handlers.push_back(binding.handler);
            }
        }
    }
    return handlers;
}

std::string componentDifference(std::span<const std::uint8_t> record, std::size_t window, std::size_t entry) {
    const auto view = ComponentRecord::parse(record);
    if (!view) {
        return "a component record of a read segment does not parse" + where(window, entry);
    }
    if (!inside(record, view->name.data(), view->name.size()) ||
        !inside(record, view->comment.data(), view->comment.size()) ||
        !inside(record, view->tag.data(), view->tag.size()) ||
        !inside(record, view->mousePointer.data(), view->mousePointer.size()) ||
        !inside(record, view->classData.data(), view->classData.size())) {
        return "a text or block lies outside its record" + where(window, entry);
    }
    for (const std::size_t position : {view->objectSlotPosition, view->cursorSlotPosition, view->flagsPosition,
                                       view->childCountPosition, view->bindingCountPosition}) {
        if (!readRecordWord(record, position)) {
            return "a field position lies outside its record" + where(window, entry);
        }
    }
    if (view->childIds().size() != view->childCount) {
        return "the child list does not hold its count" + where(window, entry);
    }
    const std::vector<EventBinding> bindings = view->bindings();
    if (bindings.size() != view->bindingCount) {
        return "the binding list does not hold its count" + where(window, entry);
    }
    for (const EventBinding& binding : bindings) {
        if (readRecordWord(record, binding.handlerPosition) != binding.handler) {
            return "a handler position does not hold its handler" + where(window, entry);
        }
    }
    return {};
}

std::string tableDifference(const TemplateSegment& first, const TemplateSegment& second) {
    if (first.windowIds != second.windowIds || first.templates.size() != second.templates.size()) {
        return "the window directory changed";
    }
    for (std::size_t window = 0; window < first.templates.size(); ++window) {
        const WindowTemplate& a = first.templates[window];
        const WindowTemplate& b = second.templates[window];
        if (a.unitWord1 != b.unitWord1 || a.unitWord2 != b.unitWord2 || a.unitName != b.unitName ||
            a.unitComment != b.unitComment) {
            return "the unit fields of window " + std::to_string(window) + " changed";
        }
        if (a.table.count() != b.table.count() || !std::ranges::equal(a.table.image(), b.table.image())) {
            return "the component table of window " + std::to_string(window) + " changed";
        }
    }
    return {};
}

}  // namespace

std::string checkTemplateSegment(std::span<const std::uint8_t> bytes) {
    const std::optional<TemplateSegment> segment = readTemplateSegment(bytes);
    if (!segment) {
        return {};
    }
    if (segment->windowIds.size() != segment->templates.size()) {
        return "the directory and the templates differ in number";
    }
    for (std::size_t window = 0; window < segment->templates.size(); ++window) {
        const ComponentTable& table = segment->templates[window].table;
        for (std::size_t entry = 0; entry < table.count(); ++entry) {
            const auto record = table.recordAt(entry);
            if (!record) {
                return "an entry has no record" + where(window, entry);
            }
            if (table.isMenuItemAt(entry)) {
                const auto item = MenuItemRecord::parse(*record);
                if (!item || readRecordWord(*record, item->handlerPosition) != item->handler) {
                    return "a menu item does not parse or misplaces its handler" + where(window, entry);
                }
            } else if (std::string difference = componentDifference(*record, window, entry); !difference.empty()) {
                return difference;
            }
            const auto found = table.findRecord(table.idAt(entry));
            if (found && (found->index > entry || table.idAt(found->index) != table.idAt(entry))) {
                return "looking up the entry's id finds another entry" + where(window, entry);
            }
        }
    }

    const std::optional<std::vector<std::uint8_t>> written = writeTemplateSegment(*segment);
    if (!written) {
        return "a segment that was read cannot be written";
    }
    const std::optional<TemplateSegment> reread = readTemplateSegment(*written);
    if (!reread) {
        return "the written segment does not read";
    }
    if (std::string difference = tableDifference(*segment, *reread); !difference.empty()) {
        return "written and read again: " + difference;
    }
    if (writeTemplateSegment(*reread) != written) {
        return "writing the segment again gives other bytes";
    }

    TemplateSegment relocated = *segment;
    if (!relocateHandlers(relocated, kCodeBase)) {
        return "a read segment does not relocate";
    }
    for (std::size_t window = 0; window < segment->templates.size(); ++window) {
        std::vector<std::uint32_t> expected = handlersOf(segment->templates[window].table);
        for (std::uint32_t& handler : expected) {
            handler = relocateHandler(handler, kCodeBase);
        }
        if (handlersOf(relocated.templates[window].table) != expected) {
            return "window " + std::to_string(window) + " relocates to other handlers";
        }
    }
    return {};
}

}  // namespace veltrano::fuzz
