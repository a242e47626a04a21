#include "runtime/template/component_record.h"

#include <gtest/gtest.h>

#include "runtime/template/menu_item_record.h"
#include "runtime/template/record_writer.h"
#include "template_builders.h"

namespace veltrano {
namespace {

class ComponentRecordTest : public ::testing::Test {
protected:
    static ComponentRecordData fullData() {
        ComponentRecordData d;
        d.classId = 0x1000B;
        d.eventLink = 0x16000009;
        d.name = "\xB0\xB4\xC5\xA5";
        d.comment = "c";
        d.left = -3;
        d.top = 4;
        d.width = 50;
        d.height = 25;
        d.parentId = 0x16000002;
        d.childIds = {0x16000005, 0, 0x16000006};
        d.mousePointer = {1, 0, 0, 0, 9, 9};
        d.tag = "tag";
        d.flags = 7;
        d.bindings = {{0, 0x10}, {-7, 0xFFFFFFFF}};
        d.classData = {1, 0, 0, 0, 0x55};
        return d;
    }
};

TEST_F(ComponentRecordTest, EveryFieldReadsBack) {
    const auto bytes = test::componentRecord(fullData());
    const auto r = ComponentRecord::parse(bytes);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->classId, 0x1000Bu);
    EXPECT_EQ(r->eventLink, 0x16000009u);
    EXPECT_EQ(r->name, "\xB0\xB4\xC5\xA5");
    EXPECT_EQ(r->comment, "c");
    EXPECT_EQ(r->left, -3);
    EXPECT_EQ(r->top, 4);
    EXPECT_EQ(r->width, 50);
    EXPECT_EQ(r->height, 25);
    EXPECT_EQ(r->parentId, 0x16000002u);
    EXPECT_EQ(r->childIds(), (std::vector<std::uint32_t>{0x16000005, 0, 0x16000006}));
    EXPECT_EQ(r->pointerCode(), 1u);
    EXPECT_EQ(r->mousePointer.size(), 6u);
    EXPECT_EQ(r->tag, "tag");
    EXPECT_EQ(r->flags, 7u);
    EXPECT_TRUE(r->visible());
    EXPECT_TRUE(r->disabled());
    EXPECT_TRUE(r->tabStop());
    ASSERT_EQ(r->bindingCount, 2u);
    EXPECT_EQ(r->binding(0).event, 0);
    EXPECT_EQ(r->binding(0).handler, 0x10u);
    EXPECT_EQ(r->binding(1).event, -7);
    EXPECT_EQ(r->binding(1).handler, kNoHandler);
    EXPECT_EQ(test::wordAt(bytes, r->binding(1).handlerPosition), kNoHandler);
    EXPECT_EQ(std::vector<std::uint8_t>(r->classData.begin(), r->classData.end()),
              (std::vector<std::uint8_t>{1, 0, 0, 0, 0x55}));
    EXPECT_EQ(r->classDataPosition + r->classDataLength(), bytes.size());
}

TEST_F(ComponentRecordTest, PositionsPointAtTheirFields) {
    const auto bytes = test::componentRecord(fullData());
    const auto r = ComponentRecord::parse(bytes);
    ASSERT_TRUE(r);
    // classId, eventLink, 4 reserved words, "按钮\0", "c\0"
    EXPECT_EQ(r->objectSlotPosition, 24u + 5u + 2u);
    EXPECT_EQ(r->geometryPosition, r->objectSlotPosition + 4);
    EXPECT_EQ(test::wordAt(bytes, r->geometryPosition), 0xFFFFFFFDu);
    EXPECT_EQ(test::wordAt(bytes, r->childCountPosition), 3u);
    EXPECT_EQ(r->mousePointerPosition, r->childCountPosition + 4 + 12);
    EXPECT_EQ(test::wordAt(bytes, r->flagsPosition), 7u);
    EXPECT_EQ(test::wordAt(bytes, r->bindingCountPosition), 2u);
    EXPECT_EQ(r->classDataPosition, r->bindingCountPosition + 4 + 16 + 20);
}

TEST_F(ComponentRecordTest, WithoutChildrenThePointerBlockFollowsTheCount) {
    ComponentRecordData d = fullData();
    d.childIds.clear();
    const auto bytes = test::componentRecord(d);
    const auto r = ComponentRecord::parse(bytes);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->childCount, 0u);
    EXPECT_EQ(r->mousePointerPosition, r->childCountPosition + 4);
    EXPECT_EQ(test::wordAt(bytes, r->mousePointerPosition), 6u);
}

TEST_F(ComponentRecordTest, EmptyClassDataEndsTheRecord) {
    ComponentRecordData d = fullData();
    d.classData.clear();
    const auto bytes = test::componentRecord(d);
    const auto r = ComponentRecord::parse(bytes);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->classDataLength(), 0u);
    EXPECT_EQ(r->classDataPosition, bytes.size());
}

TEST_F(ComponentRecordTest, NegativePointerBlockLengthIsEmpty) {
    ComponentRecordData d = fullData();
    d.mousePointer.clear();
    auto bytes = test::componentRecord(d);
    const auto before = ComponentRecord::parse(bytes);
    ASSERT_TRUE(before);
    for (int i = 0; i < 4; ++i) bytes[before->mousePointerPosition + static_cast<std::size_t>(i)] = 0xFF;
    const auto r = ComponentRecord::parse(bytes);
    ASSERT_TRUE(r);
    EXPECT_TRUE(r->mousePointer.empty());
    EXPECT_EQ(r->pointerCode(), 0u);
    EXPECT_EQ(r->tag, "tag");
}

TEST_F(ComponentRecordTest, TruncationBeforeTheClassDataFails) {
    const auto bytes = test::componentRecord(fullData());
    const auto full = ComponentRecord::parse(bytes);
    ASSERT_TRUE(full);
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        const auto r = ComponentRecord::parse(std::span(bytes).first(length));
        if (length < full->classDataPosition) {
            EXPECT_FALSE(r) << length;
        } else {
            ASSERT_TRUE(r) << length;
            EXPECT_EQ(r->classDataLength(), length - full->classDataPosition);
        }
    }
}

TEST_F(ComponentRecordTest, ImpossibleCountsFail) {
    auto bytes = test::componentRecord(fullData());
    const auto r = ComponentRecord::parse(bytes);
    ASSERT_TRUE(r);
    auto manyChildren = bytes;
    manyChildren[r->childCountPosition + 3] = 0x40;
    EXPECT_FALSE(ComponentRecord::parse(manyChildren));
    auto manyBindings = bytes;
    manyBindings[r->bindingCountPosition + 3] = 0x10;
    EXPECT_FALSE(ComponentRecord::parse(manyBindings));
    auto longPointer = bytes;
    longPointer[r->mousePointerPosition + 1] = 0x10;
    EXPECT_FALSE(ComponentRecord::parse(longPointer));
}

TEST_F(ComponentRecordTest, TextWithoutTerminatorFails) {
    std::vector<std::uint8_t> bytes(24, 0);
    bytes.insert(bytes.end(), {'a', 'b', 'c'});
    EXPECT_FALSE(ComponentRecord::parse(bytes));
}

TEST_F(ComponentRecordTest, WriterRefusesTextsWithZeroBytes) {
    ComponentRecordData d = fullData();
    d.tag = std::string("a\0b", 3);
    EXPECT_FALSE(encodeComponentRecord(d));
}

TEST_F(ComponentRecordTest, RecordWordsOutsideTheRecordAreRefused) {
    std::vector<std::uint8_t> bytes(8, 0);
    EXPECT_TRUE(writeRecordWord(bytes, 4, 0x01020304));
    EXPECT_EQ(readRecordWord(bytes, 4), 0x01020304u);
    EXPECT_FALSE(writeRecordWord(bytes, 5, 1));
    EXPECT_FALSE(readRecordWord(bytes, 8));
    EXPECT_FALSE(readRecordWord(bytes, static_cast<std::size_t>(-2)));
}

TEST(MenuItemRecordTest, FieldsAndHandlerPosition) {
    MenuItemRecordData d;
    d.classId = 0x10003;
    d.name = "item";
    d.word2 = 3;
    d.flags = 5;
    d.caption = "Open";
    d.handler = 0x20;
    const auto bytes = encodeMenuItemRecord(d);
    ASSERT_TRUE(bytes);
    const auto item = MenuItemRecord::parse(*bytes);
    ASSERT_TRUE(item);
    EXPECT_EQ(item->classId, 0x10003u);
    EXPECT_EQ(item->name, "item");
    EXPECT_EQ(item->word2, 3u);
    EXPECT_EQ(item->flags, 5u);
    EXPECT_EQ(item->caption, "Open");
    EXPECT_EQ(item->handler, 0x20u);
    EXPECT_EQ(item->handlerPosition, bytes->size() - 4);
    EXPECT_FALSE(MenuItemRecord::parse(std::span(*bytes).first(bytes->size() - 1)));
}

}  // namespace
}  // namespace veltrano
