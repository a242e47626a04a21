#include "runtime/template/handler_relocation.h"

#include <gtest/gtest.h>

#include "runtime/template/component_record.h"
#include "runtime/template/menu_item_record.h"
#include "template_builders.h"

namespace veltrano {
namespace {

std::vector<std::uint32_t> handlersOf(const ComponentTable& table, std::size_t index) {
    std::vector<std::uint32_t> handlers;
    if (table.isMenuItemAt(index)) {
        handlers.push_back(MenuItemRecord::parse(*table.recordAt(index))->handler);
        return handlers;
    }
    for (const EventBinding& b : ComponentRecord::parse(*table.recordAt(index))->bindings()) {
        handlers.push_back(b.handler);
    }
    return handlers;
}

TEST(HandlerRelocationTest, OffsetsBecomeAddressesAndNoHandlerBecomesZero) {
    EXPECT_EQ(relocateHandler(0x10, 0x00401000), 0x00401010u);
    EXPECT_EQ(relocateHandler(kNoHandler, 0x00401000), 0u);
    EXPECT_EQ(relocateHandler(0x20, 0xFFFFFFF0), 0x10u);
}

TEST(HandlerRelocationTest, EveryEntryIncludingTheWindowAndMenuItems) {
    WindowTemplate window = test::sampleWindow();
    MenuItemRecordData item;
    item.handler = 0x0C;
    window.table.append(0x26010009, *encodeMenuItemRecord(item));
    const auto before = std::vector<std::uint8_t>(window.table.image().begin(), window.table.image().end());

    EXPECT_TRUE(relocateHandlers(window.table, 0x00500000));
    EXPECT_EQ(handlersOf(window.table, 0), (std::vector<std::uint32_t>{0x00500000}));
    EXPECT_EQ(handlersOf(window.table, 3), (std::vector<std::uint32_t>{0x00500008, 0}));
    EXPECT_EQ(handlersOf(window.table, 4), (std::vector<std::uint32_t>{0x0050000C}));
    EXPECT_EQ(window.table.image().size(), before.size());
    // Event numbers stay.
    EXPECT_EQ(ComponentRecord::parse(*window.table.recordAt(3))->binding(1).event, -2);
}

TEST(HandlerRelocationTest, UnreadableRecordIsReportedAndLeftAlone) {
    ComponentTable table;
    const std::vector<std::uint8_t> junk(10, 0x41);
    table.append(0x16000001, junk);
    EXPECT_FALSE(relocateHandlers(table, 0x1000));
    EXPECT_EQ(std::vector<std::uint8_t>(table.recordAt(0)->begin(), table.recordAt(0)->end()), junk);
}

}  // namespace
}  // namespace veltrano
