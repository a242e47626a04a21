#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "runtime/template/component_record.h"

namespace veltrano {

// The fields of one component record as a builder sets them; the runtime
// slots and reserved words are written as 0.
struct ComponentRecordData {
    struct Binding {
        std::int32_t event = 0;
        std::uint32_t handler = kNoHandler;  // an offset from the code base
    };

    std::uint32_t classId = 0;
    std::uint32_t eventLink = 0;
    std::string name;  // code page 936 bytes
    std::string comment;
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint32_t parentId = 0;
    std::vector<std::uint32_t> childIds;
    std::vector<std::uint8_t> mousePointer;
    std::string tag;
    std::uint32_t flags = 0;
    std::vector<Binding> bindings;
    std::vector<std::uint8_t> classData;
};

struct MenuItemRecordData {
    std::uint32_t classId = 0;
    std::uint32_t eventLink = 0;
    std::string name;
    std::string comment;
    std::uint32_t word1 = 0;
    std::uint32_t word2 = 0;
    std::uint32_t flags = 0;
    std::string caption;
    std::uint32_t handler = kNoHandler;
};

// Nothing when a text holds a zero byte or a length does not fit the format.
std::optional<std::vector<std::uint8_t>> encodeComponentRecord(const ComponentRecordData& data);
std::optional<std::vector<std::uint8_t>> encodeMenuItemRecord(const MenuItemRecordData& data);

}  // namespace veltrano
