#include "runtime/template/component_table.h"

#include <gtest/gtest.h>

#include "runtime/template/component_id.h"
#include "runtime/template/component_record.h"
#include "template_builders.h"

namespace veltrano {
namespace {

using test::appendWord;

// Builds an image by hand: ids, contiguous offsets, then the records.
std::vector<std::uint8_t> imageOf(const std::vector<std::uint32_t>& ids,
                                  const std::vector<std::vector<std::uint8_t>>& records) {
    std::vector<std::uint8_t> image;
    for (const auto id : ids) appendWord(image, id);
    std::uint32_t offset = 0;
    for (const auto& r : records) {
        appendWord(image, offset);
        offset += 4 + static_cast<std::uint32_t>(r.size());
    }
    for (const auto& r : records) {
        appendWord(image, static_cast<std::uint32_t>(r.size()));
        image.insert(image.end(), r.begin(), r.end());
    }
    return image;
}

class ComponentTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = test::componentRecord(test::namedComponent(0x10001, ""));
        label_ = test::componentRecord(test::namedComponent(0x1000A, "label"));
        button_ = test::componentRecord(test::namedComponent(0x1000B, "button"));
        ASSERT_TRUE(table_.append(0x06010000, window_));
        ASSERT_TRUE(table_.append(0x16010001, label_));
        ASSERT_TRUE(table_.append(0x16010002, button_));
    }

    static std::vector<std::uint8_t> bytes(std::span<const std::uint8_t> span) { return {span.begin(), span.end()}; }

    // Every record still matches what was stored and the image re-validates.
    void expectRecords(const std::vector<std::vector<std::uint8_t>>& expected) {
        ASSERT_EQ(table_.count(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(bytes(*table_.recordAt(i)), expected[i]) << i;
        EXPECT_TRUE(ComponentTable::fromImage(static_cast<std::uint32_t>(table_.count()), table_.image()));
    }

    std::vector<std::uint8_t> window_;
    std::vector<std::uint8_t> label_;
    std::vector<std::uint8_t> button_;
    ComponentTable table_;
};

TEST_F(ComponentTableTest, ImageHasIdsOffsetsAndLengthPrefixedRecords) {
    const auto image = bytes(table_.image());
    EXPECT_EQ(image, imageOf({0x06010000, 0x16010001, 0x16010002}, {window_, label_, button_}));
}

TEST_F(ComponentTableTest, LookupsByIndexAndById) {
    EXPECT_EQ(table_.idAt(1), 0x16010001u);
    EXPECT_EQ(table_.idAt(3), 0u);
    EXPECT_FALSE(table_.recordAt(3));
    const auto found = table_.findRecord(0x16010002);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->index, 2u);
    EXPECT_EQ(bytes(found->record), button_);
    EXPECT_EQ(table_.indexOf(0x06010000), 0u);
    EXPECT_FALSE(table_.indexOf(0x16010003));
}

TEST_F(ComponentTableTest, InvalidIdsAreNeverFoundEvenWhenStored) {
    const std::vector<std::uint32_t> ids{0x06010000, 0, 0x06000000, 0x00010001};
    const auto image = imageOf(ids, {window_, label_, label_, label_});
    auto table = ComponentTable::fromImage(4, image);
    ASSERT_TRUE(table);
    EXPECT_FALSE(table->indexOf(0));
    EXPECT_FALSE(table->indexOf(0x06000000));
    EXPECT_FALSE(table->indexOf(0x00010001));
    EXPECT_FALSE(table->findRecord(0));
    EXPECT_EQ(table->indexOf(0x06010000), 0u);
}

TEST_F(ComponentTableTest, MenuItemsAreKindSixWithTwoInTheTopBits) {
    ASSERT_TRUE(table_.append(0x26010005, std::vector<std::uint8_t>(40, 0)));
    ASSERT_TRUE(table_.append(0x22010006, std::vector<std::uint8_t>(40, 0)));
    EXPECT_FALSE(table_.isMenuItemAt(1));
    EXPECT_TRUE(table_.isMenuItemAt(3));
    EXPECT_FALSE(table_.isMenuItemAt(4));
    EXPECT_FALSE(table_.isMenuItemAt(99));
}

TEST_F(ComponentTableTest, AppendRefusesInvalidAndDuplicateIds) {
    EXPECT_FALSE(table_.append(0x16010001, label_));
    EXPECT_FALSE(table_.append(0, label_));
    EXPECT_FALSE(table_.append(0x16000000, label_));
    EXPECT_EQ(table_.count(), 3u);
    EXPECT_EQ(table_.append(0x16010009, label_), 3u);
}

TEST_F(ComponentTableTest, InsertShiftsLaterEntriesAndTheirOffsets) {
    const std::vector<std::uint8_t> extra{1, 2, 3, 4, 5};
    ASSERT_EQ(table_.insert(1, 0x16010007, extra), 1u);
    expectRecords({window_, extra, label_, button_});
    EXPECT_EQ(table_.idAt(1), 0x16010007u);
    EXPECT_EQ(table_.indexOf(0x16010002), 3u);
}

TEST_F(ComponentTableTest, InsertClampsNegativeAndTooLargeIndexes) {
    const std::vector<std::uint8_t> front{7};
    const std::vector<std::uint8_t> back{8, 8};
    ASSERT_EQ(table_.insert(-5, 0x16010007, front), 0u);
    ASSERT_EQ(table_.insert(100, 0x16010008, back), 4u);
    expectRecords({front, window_, label_, button_, back});
}

TEST_F(ComponentTableTest, ReplaceGrowsAndShrinksARecordInPlace) {
    const std::vector<std::uint8_t> longer(20, 0xAB);
    ASSERT_TRUE(table_.replace(1, 2, 3, longer));
    auto expected = label_;
    expected.erase(expected.begin() + 2, expected.begin() + 5);
    expected.insert(expected.begin() + 2, longer.begin(), longer.end());
    expectRecords({window_, expected, button_});

    ASSERT_TRUE(table_.replace(1, 0, expected.size(), {}));
    expectRecords({window_, {}, button_});
}

TEST_F(ComponentTableTest, ReplaceOutsideTheRecordChangesNothing) {
    const auto before = bytes(table_.image());
    EXPECT_FALSE(table_.replace(1, label_.size() + 1, 0, {}));
    EXPECT_FALSE(table_.replace(1, 2, label_.size(), {}));
    EXPECT_FALSE(table_.replace(5, 0, 0, {}));
    EXPECT_EQ(bytes(table_.image()), before);
}

TEST_F(ComponentTableTest, CopyIsIndependentOfTheOriginal) {
    ComponentTable copy = table_.copy();
    ASSERT_TRUE(copy.setObjectSlot(1, 0x12345678));
    EXPECT_EQ(copy.objectSlot(1), 0x12345678u);
    EXPECT_EQ(table_.objectSlot(1), 0u);
    copy.swap(table_);
    EXPECT_EQ(table_.objectSlot(1), 0x12345678u);
    copy.clear();
    EXPECT_TRUE(copy.empty());
    EXPECT_TRUE(copy.image().empty());
}

TEST_F(ComponentTableTest, SlotsAreTheWordsAfterTheTextsAndAfterTheGeometry) {
    ASSERT_TRUE(table_.setObjectSlot(2, 0xA1A2A3A4));
    ASSERT_TRUE(table_.setCursorSlot(2, 0xB1B2B3B4));
    const auto view = ComponentRecord::parse(*table_.recordAt(2));
    ASSERT_TRUE(view);
    EXPECT_EQ(readRecordWord(*table_.recordAt(2), view->objectSlotPosition), 0xA1A2A3A4u);
    EXPECT_EQ(readRecordWord(*table_.recordAt(2), view->cursorSlotPosition), 0xB1B2B3B4u);
    EXPECT_EQ(view->cursorSlotPosition, view->objectSlotPosition + 20);
    EXPECT_EQ(table_.cursorSlot(2), 0xB1B2B3B4u);
    EXPECT_EQ(view->name, "button");
}

TEST_F(ComponentTableTest, MenuItemsHaveNoSlots) {
    ASSERT_TRUE(table_.append(0x26010005, std::vector<std::uint8_t>(60, 0)));
    EXPECT_FALSE(table_.objectSlot(3));
    EXPECT_FALSE(table_.setCursorSlot(3, 1));
}

TEST(ComponentTableImageTest, EmptyImageIsAnEmptyTable) {
    const auto table = ComponentTable::fromImage(0, {});
    ASSERT_TRUE(table);
    EXPECT_TRUE(table->empty());
}

TEST(ComponentTableImageTest, ImpossibleImagesAreRefused) {
    const std::vector<std::uint8_t> a{1, 2, 3};
    const std::vector<std::uint8_t> b{4};
    const auto good = imageOf({0x16000001, 0x16000002}, {a, b});
    ASSERT_TRUE(ComponentTable::fromImage(2, good));

    EXPECT_FALSE(ComponentTable::fromImage(3, good)) << "more entries than the image holds";
    EXPECT_FALSE(ComponentTable::fromImage(0xFFFFFFFF, good));

    auto gap = good;
    gap[12] = 8;  // offset of entry 1 no longer follows entry 0
    EXPECT_FALSE(ComponentTable::fromImage(2, gap));

    auto longRecord = good;
    longRecord[16 + 7 + 0] = 2;  // entry 1's length now runs past the end
    EXPECT_FALSE(ComponentTable::fromImage(2, longRecord));

    auto trailing = good;
    trailing.push_back(0);
    EXPECT_FALSE(ComponentTable::fromImage(2, trailing));

    for (std::size_t length = 0; length < good.size(); ++length) {
        EXPECT_FALSE(ComponentTable::fromImage(2, std::span(good).first(length))) << length;
    }
}

TEST(ComponentIdTest, ValidityAndKinds) {
    EXPECT_TRUE(isValidId(0x06010000));
    EXPECT_TRUE(isComponentId(0x16010614));
    EXPECT_TRUE(isWindowId(0x52010001));
    EXPECT_FALSE(isValidId(0x06000000));
    EXPECT_FALSE(isValidId(0x00010614));
    EXPECT_TRUE(isMenuItemId(0x26010001));
    EXPECT_FALSE(isMenuItemId(0x16010001));
    EXPECT_EQ(makeId(id_kind::kComponent, 0x10635), 0x06010635u);
    EXPECT_EQ(makeId(id_kind::kComponent, 0x1000000), 0u);
    EXPECT_EQ(makeId(0, 5), 0u);
}

}  // namespace
}  // namespace veltrano
