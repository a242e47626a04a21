#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace veltrano {

namespace menu_item_flag {
inline constexpr std::uint32_t kHidden = 0x1;
inline constexpr std::uint32_t kDisabled = 0x2;
inline constexpr std::uint32_t kChecked = 0x4;
}  // namespace menu_item_flag

// A parsed view of a menu item record (ids with the menu item pattern). Like
// ComponentRecord, it points into the record's bytes.
struct MenuItemRecord {
    std::uint32_t classId = 0;
    std::uint32_t eventLink = 0;
    std::string_view name;
    std::string_view comment;
    std::uint32_t word1 = 0;
    std::uint32_t word2 = 0;
    std::size_t flagsPosition = 0;
    std::uint32_t flags = 0;
    std::string_view caption;
    // The item's only event.
    std::size_t handlerPosition = 0;
    std::uint32_t handler = 0;

    static std::optional<MenuItemRecord> parse(std::span<const std::uint8_t> record) noexcept;
};

}  // namespace veltrano
