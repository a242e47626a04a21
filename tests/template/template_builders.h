#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/template/component_table.h"
#include "runtime/template/record_writer.h"
#include "runtime/template/segment_writer.h"
#include "runtime/template/window_template.h"

namespace veltrano::test {

inline std::vector<std::uint8_t> componentRecord(const ComponentRecordData& data) {
    auto bytes = encodeComponentRecord(data);
    return bytes ? *bytes : std::vector<std::uint8_t>{};
}

inline ComponentRecordData namedComponent(std::uint32_t classId, std::string name, std::uint32_t parentId = 0) {
    ComponentRecordData data;
    data.classId = classId;
    data.name = std::move(name);
    data.parentId = parentId;
    return data;
}

inline std::vector<std::uint8_t> bytesOf(std::initializer_list<std::uint8_t> bytes) {
    return bytes;
}

inline void appendWord(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

inline std::uint32_t wordAt(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | (static_cast<std::uint32_t>(bytes[at + 1]) << 8) |
           (static_cast<std::uint32_t>(bytes[at + 2]) << 16) | (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

// A window with entry 0, a container with two children (one page break) and
// a button bound to events 0 and -2.
inline WindowTemplate sampleWindow() {
    WindowTemplate window;
    window.unitWord1 = 7;
    window.unitWord2 = 0x19010002;
    window.unitName = "unit";
    window.unitComment = "note";

    ComponentRecordData self = namedComponent(0x10001, "");
    self.left = 60;
    self.top = 60;
    self.width = 740;
    self.height = 818;
    self.flags = 1;
    self.bindings = {{0, 0}};
    self.classData = {6, 0, 0, 0, 0xAA};

    ComponentRecordData box = namedComponent(0x10009, "box");
    box.childIds = {0x16000003, 0, 0x16000004};
    box.classData = {1, 0, 0, 0};

    ComponentRecordData first = namedComponent(0x1000A, "first", 0x16000002);
    first.mousePointer = {2, 0, 0, 0};
    first.tag = "tagged";

    ComponentRecordData button = namedComponent(0x1000B, "button", 0x16000002);
    button.left = -5;
    button.flags = 5;
    button.bindings = {{0, 8}, {-2, 0xFFFFFFFF}};

    window.table.append(0x06010000, componentRecord(self));
    window.table.append(0x16000002, componentRecord(box));
    window.table.append(0x16000003, componentRecord(first));
    window.table.append(0x16000004, componentRecord(button));
    return window;
}

inline std::vector<std::uint8_t> writeSegment(std::vector<std::uint32_t> ids, std::vector<WindowTemplate> windows) {
    TemplateSegment segment{std::move(ids), std::move(windows)};
    auto bytes = writeTemplateSegment(segment);
    return bytes ? *bytes : std::vector<std::uint8_t>{};
}

}  // namespace veltrano::test
