#include "tools/template_compiler/segment_dump.h"

#include <vector>

#include "runtime/template/component_record.h"
#include "runtime/template/menu_item_record.h"
#include "runtime/template/segment_reader.h"
#include "tools/template_compiler/component_classes.h"
#include "tools/template_compiler/property_values.h"

namespace veltrano::tc {
namespace {

std::string flagNames(std::uint32_t flags) {
    std::string names;
    const std::pair<std::uint32_t, const char*> known[] = {{record_flag::kVisible, "visible"},
                                                           {record_flag::kDisabled, "disabled"},
                                                           {record_flag::kTabStop, "tabstop"},
                                                           {record_flag::kMenuBarOption, "menubar"}};
    for (const auto& [bit, name] : known) {
        if ((flags & bit) != 0) names += std::string(" ") + name;
    }
    return names;
}

std::string nameOf(const ComponentTable& table, std::uint32_t id) {
    const auto found = table.findRecord(id);
    if (!found) return "(not in the table)";
    if (table.isMenuItemAt(found->index)) {
        const auto item = MenuItemRecord::parse(found->record);
        return item ? quoteGbk(std::string(item->name)) : "(unreadable)";
    }
    const auto view = ComponentRecord::parse(found->record);
    return view ? quoteGbk(std::string(view->name)) : "(unreadable)";
}

void dumpComponent(std::string& out, const ComponentTable& table, const ComponentRecord& r) {
    const ComponentClass* cls = findClassById(r.classId);
    out += "    class " + hex32(r.classId) + " " + (cls ? std::string(cls->name()) : "(unknown)") + "\n";
    out += "    name " + quoteGbk(std::string(r.name)) + "\n";
    out += "    comment " + quoteGbk(std::string(r.comment)) + "\n";
    out += "    eventLink " + hex32(r.eventLink) + "\n";
    out += "    rect " + std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.width) + " " +
           std::to_string(r.height) + "\n";
    out += "    parent " + hex32(r.parentId) + (r.parentId != 0 ? " " + nameOf(table, r.parentId) : "") + "\n";
    out += "    children " + std::to_string(r.childCount) + "\n";
    for (std::size_t i = 0; i < r.childCount; ++i) {
        const std::uint32_t child = r.childId(i);
        out += "      " + hex32(child) + (child != 0 ? " " + nameOf(table, child) : " (page break)") + "\n";
    }
    out += "    mousePointer " +
           describeValue(std::vector<std::uint8_t>(r.mousePointer.begin(), r.mousePointer.end())) + "\n";
    out += "    tag " + quoteGbk(std::string(r.tag)) + "\n";
    out += "    flags " + hex32(r.flags) + flagNames(r.flags) + "\n";
    out += "    events " + std::to_string(r.bindingCount) + "\n";
    for (const EventBinding& b : r.bindings()) {
        out += "      event " + std::to_string(b.event) + " handler " + hex32(b.handler) + "\n";
    }
    out += "    classData " + std::to_string(r.classDataLength()) + " bytes";
    if (cls == nullptr) {
        out += "\n";
        return;
    }
    const auto properties = cls->describe(r.classData);
    if (!properties) {
        out += " (unreadable)\n";
        return;
    }
    out += r.classData.empty() ? " (class defaults)\n" : "\n";
    for (const auto& [name, value] : *properties) out += "      " + name + " " + value + "\n";
}

void dumpMenuItem(std::string& out, const MenuItemRecord& item) {
    out += "    menu item class " + hex32(item.classId) + "\n";
    out += "    name " + quoteGbk(std::string(item.name)) + "\n";
    out += "    comment " + quoteGbk(std::string(item.comment)) + "\n";
    out += "    eventLink " + hex32(item.eventLink) + "\n";
    out += "    words " + hex32(item.word1) + " " + hex32(item.word2) + "\n";
    out += "    flags " + hex32(item.flags) + "\n";
    out += "    caption " + quoteGbk(std::string(item.caption)) + "\n";
    out += "    handler " + hex32(item.handler) + "\n";
}

}  // namespace

std::optional<std::string> dumpSegment(std::span<const std::uint8_t> segment) {
    const auto contents = readTemplateSegment(segment);
    if (!contents) return std::nullopt;
    std::string out = "segment " + std::to_string(segment.size()) + " bytes, " +
                      std::to_string(contents->templates.size()) + " window(s)\n";
    for (std::size_t w = 0; w < contents->templates.size(); ++w) {
        const WindowTemplate& window = contents->templates[w];
        const ComponentTable& table = window.table;
        out += "window " + hex32(contents->windowIds[w]) + "\n";
        out += "  unitWord1 " + hex32(window.unitWord1) + "\n";
        out += "  unitWord2 " + hex32(window.unitWord2) + "\n";
        out += "  unitName " + quoteGbk(window.unitName) + "\n";
        out += "  unitComment " + quoteGbk(window.unitComment) + "\n";
        out += "  entries " + std::to_string(table.count()) + "\n";
        for (std::size_t i = 0; i < table.count(); ++i) {
            const auto record = *table.recordAt(i);
            out += "  entry " + std::to_string(i) + " id " + hex32(table.idAt(i)) + " record " +
                   std::to_string(record.size()) + " bytes\n";
            if (table.isMenuItemAt(i)) {
                dumpMenuItem(out, *MenuItemRecord::parse(record));
            } else {
                dumpComponent(out, table, *ComponentRecord::parse(record));
            }
        }
    }
    return out;
}

}  // namespace veltrano::tc
