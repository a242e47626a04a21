#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace veltrano {

namespace record_flag {
inline constexpr std::uint32_t kVisible = 0x1;
inline constexpr std::uint32_t kDisabled = 0x2;
inline constexpr std::uint32_t kTabStop = 0x4;
// Only meaningful in the window's own entry: handed to the menu bar builder.
inline constexpr std::uint32_t kMenuBarOption = 0x8;
}  // namespace record_flag

// A handler offset that binds nothing.
inline constexpr std::uint32_t kNoHandler = 0xFFFFFFFF;

struct EventBinding {
    std::int32_t event = 0;
    std::uint32_t handler = 0;
    // Byte position of the handler word inside the record.
    std::size_t handlerPosition = 0;
};

// A parsed view of one component record. Texts and blocks point into the
// record's bytes, so the view lives no longer than they do and goes stale
// when the table changes. Positions count from the record's first byte
// (after its length word).
struct ComponentRecord {
    std::uint32_t classId = 0;
    std::uint32_t eventLink = 0;
    std::string_view name;  // code page 936 bytes, terminator excluded
    std::string_view comment;
    std::size_t objectSlotPosition = 0;
    std::size_t geometryPosition = 0;  // left, top, width, height follow each other
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::size_t cursorSlotPosition = 0;
    std::uint32_t parentId = 0;
    std::size_t childCountPosition = 0;
    std::size_t childCount = 0;
    std::size_t mousePointerPosition = 0;  // the block's length word
    std::span<const std::uint8_t> mousePointer;
    std::size_t tagPosition = 0;
    std::string_view tag;
    std::size_t flagsPosition = 0;
    std::uint32_t flags = 0;
    std::size_t bindingCountPosition = 0;
    std::size_t bindingCount = 0;
    std::size_t classDataPosition = 0;
    std::span<const std::uint8_t> classData;

    // Checks every length and position against the record's size.
    static std::optional<ComponentRecord> parse(std::span<const std::uint8_t> record) noexcept;

    // A 0 entry separates pages of a container's children.
    std::uint32_t childId(std::size_t index) const noexcept;
    std::vector<std::uint32_t> childIds() const;
    EventBinding binding(std::size_t index) const noexcept;
    std::vector<EventBinding> bindings() const;
    // The first word of the mouse-pointer block; 0 (the default pointer) when shorter.
    std::uint32_t pointerCode() const noexcept;
    std::size_t classDataLength() const noexcept { return classData.size(); }

    bool visible() const noexcept { return (flags & record_flag::kVisible) != 0; }
    bool disabled() const noexcept { return (flags & record_flag::kDisabled) != 0; }
    bool tabStop() const noexcept { return (flags & record_flag::kTabStop) != 0; }

private:
    std::span<const std::uint8_t> record_;
};

// 32-bit words at a record position, for the runtime slots and other fixed
// fields; out-of-range positions read nothing and write nothing.
std::optional<std::uint32_t> readRecordWord(std::span<const std::uint8_t> record, std::size_t position) noexcept;
bool writeRecordWord(std::span<std::uint8_t> record, std::size_t position, std::uint32_t value) noexcept;

}  // namespace veltrano
