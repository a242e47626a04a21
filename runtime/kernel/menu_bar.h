#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string_view>

#include "runtime/values/address_word.h"

namespace veltrano {

class ComponentTable;
class RuntimeApplication;

// A window's menu items, in table order, make its menu bar: a hidden item is
// left out, a disabled one is greyed, a checked one carries the check mark,
// and an item whose caption is "-" is a separator. A caption may end in a
// tab and a key ("保存\tCtrl+S"), which becomes an accelerator for the item.
// Item at table index i answers to command number kFirstMenuCommand + i.
inline constexpr UINT kFirstMenuCommand = 20000;

struct MenuBar {
    HMENU menu = nullptr;           // null when the table has no menu items
    HACCEL accelerators = nullptr;  // null when no caption names a key
};

// Both handles are the caller's to destroy (or to hand to the window).
MenuBar buildMenuBar(const ComponentTable& table);

// A key named the way menus show it: modifiers "Ctrl+", "Shift+", "Alt+"
// (any order and case) before a letter, a digit, F1..F24 or one of Del,
// Ins, Home, End, PgUp, PgDn, Enter, Esc, Space, Tab, Backspace, Up, Down,
// Left, Right. Nothing for any other text.
std::optional<ACCEL> acceleratorFromText(std::string_view text, WORD command);

// Service 2040: builds the window's menu bar and accelerators anew from its
// items and puts them on the loaded window; false when it is not loaded.
bool rebuildWindowMenu(RuntimeApplication& runtime, std::uint32_t windowId);

// A menu or accelerator command of a loaded window: fires the item's event
// unless the item is hidden or disabled. False for a number that names no
// menu item.
bool runMenuCommand(RuntimeApplication& runtime, std::uint32_t windowId, UINT command);

// Menu item properties: 0 caption (text), 1 checked, 2 disabled, 3 visible.
// Nothing when the component is not a menu item of the window.
std::optional<std::uint64_t> readMenuItemProperty(RuntimeApplication& runtime, std::uint32_t windowId,
                                                  std::uint32_t componentId, std::int32_t index);
// True when the component is a menu item (the write was taken, or ignored as
// an unknown index); a change rebuilds the window's menu bar. The caption
// arrives as a text address, the flags as a value.
bool writeMenuItemProperty(RuntimeApplication& runtime, std::uint32_t windowId, std::uint32_t componentId,
                           std::int32_t index, std::uint32_t value, AddressWord text);

}  // namespace veltrano
