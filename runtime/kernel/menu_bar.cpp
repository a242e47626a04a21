#include "runtime/kernel/menu_bar.h"

#include <array>
#include <cctype>
#include <string>
#include <vector>

#include "runtime/kernel/component_class.h"
#include "runtime/kernel/event_dispatch.h"
#include "runtime/kernel/runtime_application.h"
#include "runtime/kernel/runtime_text.h"
#include "runtime/kernel/wide_text.h"
#include "runtime/kernel/window_object.h"
#include "runtime/template/little_endian.h"
#include "runtime/template/menu_item_record.h"

namespace veltrano {
namespace {

struct NamedKey {
    std::string_view name;
    WORD key;
};

constexpr std::array<NamedKey, 15> kNamedKeys{{
    {"DEL", VK_DELETE},
    {"INS", VK_INSERT},
    {"HOME", VK_HOME},
    {"END", VK_END},
    {"PGUP", VK_PRIOR},
    {"PGDN", VK_NEXT},
    {"ENTER", VK_RETURN},
    {"ESC", VK_ESCAPE},
    {"SPACE", VK_SPACE},
    {"TAB", VK_TAB},
    {"BACKSPACE", VK_BACK},
    {"UP", VK_UP},
    {"DOWN", VK_DOWN},
    {"LEFT", VK_LEFT},
    {"RIGHT", VK_RIGHT},
}};

std::string upper(std::string_view text) {
    std::string result(text);
    for (char& c : result) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return result;
}

std::optional<WORD> keyOfName(const std::string& name) {
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0]))) return static_cast<WORD>(name[0]);
    if (name == "DELETE") return static_cast<WORD>(VK_DELETE);
    if (name == "INSERT") return static_cast<WORD>(VK_INSERT);
    for (const NamedKey& named : kNamedKeys) {
        if (name == named.name) return named.key;
    }
    if (name.size() >= 2 && name.size() <= 3 && name[0] == 'F') {
        int number = 0;
        for (std::size_t i = 1; i < name.size(); ++i) {
            if (!std::isdigit(static_cast<unsigned char>(name[i]))) return std::nullopt;
            number = number * 10 + (name[i] - '0');
        }
        if (number >= 1 && number <= 24) return static_cast<WORD>(VK_F1 + number - 1);
    }
    return std::nullopt;
}

struct Item {
    std::size_t index;
    MenuItemRecord record;
};

std::vector<Item> menuItems(const ComponentTable& table) {
    std::vector<Item> items;
    for (std::size_t index = 0; index < table.count(); ++index) {
        if (!table.isMenuItemAt(index)) continue;
        const auto bytes = table.recordAt(index);
        if (const auto record = bytes ? MenuItemRecord::parse(*bytes) : std::nullopt) items.push_back({index, *record});
    }
    return items;
}

std::optional<MenuItemRecord> menuItemAt(const ComponentTable& table, std::size_t index) {
    if (!table.isMenuItemAt(index)) return std::nullopt;
    const auto bytes = table.recordAt(index);
    return bytes ? MenuItemRecord::parse(*bytes) : std::nullopt;
}

WindowObject* loadedWindowObject(RuntimeApplication& runtime, const ComponentTable& table) {
    WindowObject* object = runtime.windowRegistry().objectInSlot(table, 0);
    return object != nullptr && object->alive() ? object : nullptr;
}

}  // namespace

std::optional<ACCEL> acceleratorFromText(std::string_view text, WORD command) {
    BYTE modifiers = FVIRTKEY;
    std::string rest = upper(text);
    for (bool found = true; found;) {
        found = false;
        for (const auto& [prefix, flag] :
             {std::pair<std::string_view, BYTE>{"CTRL+", FCONTROL}, {"SHIFT+", FSHIFT}, {"ALT+", FALT}}) {
            if (rest.size() > prefix.size() && rest.compare(0, prefix.size(), prefix) == 0) {
                modifiers = static_cast<BYTE>(modifiers | flag);
                rest.erase(0, prefix.size());
                found = true;
            }
        }
    }
    const std::optional<WORD> key = keyOfName(rest);
    if (!key) return std::nullopt;
    return ACCEL{modifiers, *key, command};
}

MenuBar buildMenuBar(const ComponentTable& table) {
    const std::vector<Item> items = menuItems(table);
    if (items.empty()) return {};
    MenuBar bar;
    bar.menu = CreateMenu();
    if (bar.menu == nullptr) return {};
    std::vector<ACCEL> accelerators;
    for (const Item& item : items) {
        if ((item.record.flags & menu_item_flag::kHidden) != 0) continue;
        const auto command = static_cast<WORD>(kFirstMenuCommand + item.index);
        if (item.record.caption == "-") {
            AppendMenuW(bar.menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        UINT flags = MF_STRING;
        if ((item.record.flags & menu_item_flag::kDisabled) != 0) flags |= MF_GRAYED;
        if ((item.record.flags & menu_item_flag::kChecked) != 0) flags |= MF_CHECKED;
        AppendMenuW(bar.menu, flags, command, wideFromCodePage936(item.record.caption).c_str());
        const std::size_t tab = item.record.caption.rfind('\t');
        if (tab == std::string_view::npos) continue;
        if (const auto accelerator = acceleratorFromText(item.record.caption.substr(tab + 1), command)) {
            accelerators.push_back(*accelerator);
        }
    }
    if (!accelerators.empty()) {
        bar.accelerators = CreateAcceleratorTableW(accelerators.data(), static_cast<int>(accelerators.size()));
    }
    return bar;
}

bool rebuildWindowMenu(RuntimeApplication& runtime, std::uint32_t windowId) {
    WindowTemplate* window = runtime.windowRegistry().find(windowId);
    if (window == nullptr || window->table.empty()) return false;
    WindowObject* object = loadedWindowObject(runtime, window->table);
    if (object == nullptr) return false;
    const MenuBar bar = buildMenuBar(window->table);
    HMENU old = GetMenu(object->handle());
    SetMenu(object->handle(), bar.menu);
    if (old != nullptr) DestroyMenu(old);
    DrawMenuBar(object->handle());
    object->setAccelerators(bar.accelerators);
    return true;
}

bool runMenuCommand(RuntimeApplication& runtime, std::uint32_t windowId, UINT command) {
    if (command < kFirstMenuCommand) return false;
    WindowTemplate* window = runtime.windowRegistry().find(windowId);
    if (window == nullptr || window->table.empty()) return false;
    const std::size_t index = command - kFirstMenuCommand;
    const std::optional<MenuItemRecord> item = menuItemAt(window->table, index);
    if (!item) return false;
    if ((item->flags & (menu_item_flag::kHidden | menu_item_flag::kDisabled)) == 0) {
        EventResult ignored;
        fireEventWords(runtime, windowId, window->table.idAt(index), 0, {}, ignored);
    }
    return true;
}

std::optional<std::uint64_t> readMenuItemProperty(RuntimeApplication& runtime, std::uint32_t windowId,
                                                  std::uint32_t componentId, std::int32_t index) {
    WindowTemplate* window = runtime.windowRegistry().find(windowId);
    if (window == nullptr || window->table.empty()) return std::nullopt;
    const std::optional<std::size_t> entry = window->table.indexOf(componentId);
    const std::optional<MenuItemRecord> item = entry ? menuItemAt(window->table, *entry) : std::nullopt;
    if (!item) return std::nullopt;
    switch (index) {
        case 0: return item->caption.empty() ? 0 : std::uint64_t{addressWord(newText(runtime.heap(), item->caption))};
        case 1: return (item->flags & menu_item_flag::kChecked) != 0 ? 1 : 0;
        case 2: return (item->flags & menu_item_flag::kDisabled) != 0 ? 1 : 0;
        case 3: return (item->flags & menu_item_flag::kHidden) != 0 ? 0 : 1;
        default: return 0;
    }
}

bool writeMenuItemProperty(RuntimeApplication& runtime, std::uint32_t windowId, std::uint32_t componentId,
                           std::int32_t index, std::uint32_t value, AddressWord text) {
    WindowTemplate* window = runtime.windowRegistry().find(windowId);
    if (window == nullptr || window->table.empty()) return false;
    const std::optional<std::size_t> entry = window->table.indexOf(componentId);
    const std::optional<MenuItemRecord> item = entry ? menuItemAt(window->table, *entry) : std::nullopt;
    if (!item) return false;
    if (index == 0) {
        const std::string_view caption = text == 0 ? std::string_view() : textView(addressFromWord<const char>(text));
        if (caption == item->caption) return true;
        std::vector<std::uint8_t> bytes(caption.begin(), caption.end());
        bytes.push_back(0);
        window->table.replace(*entry, item->flagsPosition + 4, item->caption.size() + 1, bytes);
    } else if (index >= 1 && index <= 3) {
        const std::uint32_t bit = index == 1   ? menu_item_flag::kChecked
                                  : index == 2 ? menu_item_flag::kDisabled
                                               : menu_item_flag::kHidden;
        const bool set = index == 3 ? value == 0 : value != 0;
        const std::uint32_t flags = set ? (item->flags | bit) : (item->flags & ~bit);
        if (flags == item->flags) return true;
        std::vector<std::uint8_t> bytes(4);
        le::storeU32(bytes.data(), flags);
        window->table.replace(*entry, item->flagsPosition, 4, bytes);
    } else {
        return true;
    }
    rebuildWindowMenu(runtime, windowId);
    return true;
}

}  // namespace veltrano
