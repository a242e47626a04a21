#include "app/protocol/slot_table.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "app/protocol/frames.h"
#include "app/protocol/key_table.h"

namespace veltrano::protocol {
namespace {

SlotAddress at(int block, int position) {
    return SlotAddress{block, static_cast<std::uint16_t>(position)};
}

TEST(SlotTableTest, TheTwoHdmiKeysGoToDifferentBlocks) {
    EXPECT_EQ(slotOfRow(21), at(1, 1601));
    EXPECT_EQ(slotOfRow(54), at(3, 601));
}

TEST(SlotTableTest, BoundaryRowsOfEveryRange) {
    const std::vector<std::pair<int, SlotAddress>> expected{
        {1, at(1, 1)},     {2, at(1, 51)},    {16, at(1, 751)},  {17, at(1, 801)},  {18, at(1, 901)},
        {24, at(1, 1001)}, {25, at(1, 1101)}, {46, at(1, 1201)}, {47, at(1, 1301)}, {19, at(1, 1401)},
        {23, at(1, 1801)}, {26, at(2, 1)},    {45, at(2, 1901)}, {48, at(3, 1)},    {66, at(3, 1801)},
        {67, at(4, 1)},    {78, at(4, 1101)},
    };
    for (const auto& [row, slot] : expected) {
        EXPECT_EQ(slotOfRow(row), slot) << "row " << row;
    }
}

TEST(SlotTableTest, RowsOutsideTheTableHaveNoSlot) {
    EXPECT_FALSE(slotOfRow(0));
    EXPECT_FALSE(slotOfRow(79));
    EXPECT_FALSE(slotOfRow(-1));
}

TEST(SlotTableTest, EveryRowIsInExactlyOneBlockAtItsOwnSlot) {
    std::multiset<int> seen;
    for (int block = 1; block <= kBlockCount; ++block) {
        std::set<int> positions;
        for (const int row : blockRows(block)) {
            seen.insert(row);
            const auto slot = slotOfRow(row);
            ASSERT_TRUE(slot) << "row " << row;
            EXPECT_EQ(slot->block, block) << "row " << row;
            EXPECT_TRUE(positions.insert(slot->position).second) << "row " << row;
            EXPECT_EQ(rowOfSlot(*slot), row);
        }
    }
    ASSERT_EQ(seen.size(), static_cast<std::size_t>(kKeyRowCount));
    for (int row = kFirstKeyRow; row <= kLastKeyRow; ++row) {
        EXPECT_EQ(seen.count(row), 1u) << "row " << row;
    }
    EXPECT_TRUE(blockRows(0).empty());
    EXPECT_TRUE(blockRows(5).empty());
}

TEST(SlotTableTest, BlockOneSendsThePowerKeysBeforeTheProjectorInputs) {
    const auto rows = blockRows(1);
    const std::vector<int> order(rows.begin(), rows.end());
    const std::vector<int> expected{1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14,
                                    15, 16, 17, 18, 24, 25, 46, 47, 19, 20, 21, 22, 23};
    EXPECT_EQ(order, expected);
}

TEST(SlotTableTest, SlotsNoRowUsesHaveNoRow) {
    EXPECT_FALSE(rowOfSlot(at(1, 2)));
    EXPECT_FALSE(rowOfSlot(at(2, 2001)));
    EXPECT_FALSE(rowOfSlot(at(4, 1201)));
    EXPECT_FALSE(rowOfSlot(at(5, 1)));
    EXPECT_FALSE(rowOfSlot(at(0, 1)));
}

}  // namespace
}  // namespace veltrano::protocol
