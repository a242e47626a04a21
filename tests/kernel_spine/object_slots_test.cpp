#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "runtime/kernel/window_object.h"
#include "runtime/kernel/window_registry.h"
#include "runtime/values/address_word.h"
#include "tests/template/template_builders.h"

namespace veltrano {
namespace {

class PlainObject final : public WindowObject {};

// A window entry and two components; their slots start empty, as in the
// program's template.
class ObjectSlotsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(table_.append(0x06010000, test::componentRecord(test::namedComponent(0x10001, ""))));
        ASSERT_TRUE(table_.append(0x16010001, test::componentRecord(test::namedComponent(0x1000A, "label"))));
        ASSERT_TRUE(table_.append(0x16010002, test::componentRecord(test::namedComponent(0x1000B, "button"))));
    }

    WindowRegistry registry_;
    ComponentTable table_;
    PlainObject first_;
    PlainObject second_;
    PlainObject third_;
};

TEST_F(ObjectSlotsTest, AnObjectIsFoundThroughItsSlotWhereverItLies) {
    registry_.setObjectInSlot(table_, 1, &first_);
    registry_.setObjectInSlot(table_, 2, &second_);
    EXPECT_EQ(registry_.objectInSlot(table_, 1), &first_);
    EXPECT_EQ(registry_.objectInSlot(table_, 2), &second_);
    EXPECT_EQ(registry_.objectInSlot(table_, 0), nullptr);
    EXPECT_EQ(registry_.objectInSlot(table_, 7), nullptr);
}

TEST_F(ObjectSlotsTest, TheSlotWordHoldsASmallNumberNeverTheAddress) {
    // An object far above 4 GB on a 64-bit target must not depend on the
    // record's 32-bit word: the word is the number of a table entry.
    registry_.setObjectInSlot(table_, 1, &first_);
    const std::uint32_t word = *table_.objectSlot(1);
    EXPECT_NE(word, 0u);
    EXPECT_LT(word, 16u);
    EXPECT_NE(AddressWord{word}, addressWord(&first_));
}

TEST_F(ObjectSlotsTest, ReplacingAnObjectKeepsTheNumberAndEmptyingFreesIt) {
    registry_.setObjectInSlot(table_, 1, &first_);
    const std::uint32_t number = *table_.objectSlot(1);
    registry_.setObjectInSlot(table_, 1, &second_);  // a re-created component
    EXPECT_EQ(*table_.objectSlot(1), number);
    EXPECT_EQ(registry_.objectInSlot(table_, 1), &second_);

    registry_.setObjectInSlot(table_, 1, nullptr);
    EXPECT_EQ(*table_.objectSlot(1), 0u);
    EXPECT_EQ(registry_.objectInSlot(table_, 1), nullptr);
    registry_.setObjectInSlot(table_, 2, &third_);
    EXPECT_EQ(*table_.objectSlot(2), number) << "a freed number is used again";
    EXPECT_EQ(registry_.objectInSlot(table_, 2), &third_);
}

TEST_F(ObjectSlotsTest, ADroppedTableLetsGoOfItsNumbersAndTheirObjects) {
    ComponentTable pristine = table_.copy();
    registry_.setObjectInSlot(table_, 0, &first_);
    registry_.setObjectInSlot(table_, 1, &second_);
    const ComponentTable loaded = table_.copy();
    registry_.releaseObjectSlots(table_);
    table_.swap(pristine);

    // A stale copy of the loaded table finds nothing, not a later object.
    EXPECT_EQ(registry_.objectInSlot(loaded, 0), nullptr);
    EXPECT_EQ(registry_.objectInSlot(loaded, 1), nullptr);
    registry_.setObjectInSlot(table_, 2, &third_);
    EXPECT_EQ(registry_.objectInSlot(table_, 2), &third_);
    EXPECT_EQ(registry_.objectInSlot(table_, 0), nullptr);
}

TEST_F(ObjectSlotsTest, AMissingEntryHasNoSlot) {
    registry_.setObjectInSlot(table_, 9, &first_);
    EXPECT_EQ(registry_.objectInSlot(table_, 9), nullptr);
}

}  // namespace
}  // namespace veltrano
