#include "runtime/template/segment_reader.h"

#include <gtest/gtest.h>

#include "runtime/template/component_record.h"
#include "runtime/template/menu_item_record.h"
#include "runtime/template/segment_writer.h"
#include "template_builders.h"

namespace veltrano {
namespace {

using test::appendWord;

class SegmentReaderTest : public ::testing::Test {
protected:
    static std::vector<std::uint8_t> bytes(std::span<const std::uint8_t> span) { return {span.begin(), span.end()}; }

    static WindowTemplate onlyEntryZero() {
        WindowTemplate window;
        window.table.append(0x06010000, test::componentRecord(test::namedComponent(0x10001, "")));
        return window;
    }
};

TEST_F(SegmentReaderTest, TwoWindowsRoundTripInDirectoryOrder) {
    const WindowTemplate sample = test::sampleWindow();
    const auto segment = test::writeSegment({0x52010001, 0x52010002}, {sample, onlyEntryZero()});
    const auto read = readTemplateSegment(segment);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->windowIds, (std::vector<std::uint32_t>{0x52010001, 0x52010002}));
    ASSERT_EQ(read->templates.size(), 2u);
    const WindowTemplate& first = read->templates[0];
    EXPECT_EQ(first.unitWord1, 7u);
    EXPECT_EQ(first.unitWord2, 0x19010002u);
    EXPECT_EQ(first.unitName, "unit");
    EXPECT_EQ(first.unitComment, "note");
    EXPECT_EQ(bytes(first.table.image()), bytes(sample.table.image()));
    EXPECT_TRUE(first.backup.empty());
    EXPECT_EQ(read->templates[1].table.count(), 1u);
}

TEST_F(SegmentReaderTest, DirectoryIsIdsThenZeroSlots) {
    const auto segment = test::writeSegment({0x52010001}, {onlyEntryZero()});
    EXPECT_EQ(test::wordAt(segment, 0), 8u);
    EXPECT_EQ(test::wordAt(segment, 4), 0x52010001u);
    EXPECT_EQ(test::wordAt(segment, 8), 0u);
}

TEST_F(SegmentReaderTest, WindowWithOnlyItsOwnEntryLoads) {
    const auto read = readTemplateSegment(test::writeSegment({0x52010001}, {onlyEntryZero()}));
    ASSERT_TRUE(read);
    const ComponentTable& table = read->templates[0].table;
    ASSERT_EQ(table.count(), 1u);
    EXPECT_EQ(table.idAt(0), 0x06010000u);
    const auto entry = ComponentRecord::parse(*table.recordAt(0));
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->classId, 0x10001u);
    EXPECT_EQ(entry->classDataLength(), 0u);
}

TEST_F(SegmentReaderTest, DirectoryRemainderBeyondWholeEntriesIsIgnored) {
    std::vector<std::uint8_t> segment;
    appendWord(segment, 12);
    appendWord(segment, 0x52010001);
    appendWord(segment, 0);
    appendWord(segment, 0xDEADBEEF);
    const auto rest = test::writeSegment({0x52010001}, {onlyEntryZero()});
    segment.insert(segment.end(), rest.begin() + 12, rest.end());
    const auto read = readTemplateSegment(segment);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->windowIds, (std::vector<std::uint32_t>{0x52010001}));
}

TEST_F(SegmentReaderTest, NegativeDirectoryLengthMeansNoWindows) {
    std::vector<std::uint8_t> segment;
    appendWord(segment, 0xFFFFFFF8);
    const auto read = readTemplateSegment(segment);
    ASSERT_TRUE(read);
    EXPECT_TRUE(read->windowIds.empty());
    EXPECT_TRUE(read->templates.empty());
}

TEST_F(SegmentReaderTest, EveryTruncationFails) {
    const auto segment = test::writeSegment({0x52010001, 0x52010002}, {test::sampleWindow(), onlyEntryZero()});
    ASSERT_TRUE(readTemplateSegment(segment));
    for (std::size_t length = 0; length < segment.size(); ++length) {
        EXPECT_FALSE(readTemplateSegment(std::span(segment).first(length))) << length;
    }
}

TEST_F(SegmentReaderTest, ImpossibleLengthsFail) {
    const auto segment = test::writeSegment({0x52010001}, {test::sampleWindow()});
    // Directory 12 bytes, unit words 8, texts 4+4 and 4+4, then the count and the block length.
    const std::size_t countAt = 12 + 8 + 8 + 8;
    ASSERT_EQ(test::wordAt(segment, countAt), 4u);

    auto tooManyEntries = segment;
    tooManyEntries[countAt] = 0xFF;
    EXPECT_FALSE(readTemplateSegment(tooManyEntries));

    auto longBlock = segment;
    longBlock[countAt + 4 + 3] = 0x40;
    EXPECT_FALSE(readTemplateSegment(longBlock));

    auto longName = segment;
    longName[12 + 8 + 3] = 0x7F;
    EXPECT_FALSE(readTemplateSegment(longName));
}

TEST_F(SegmentReaderTest, RecordThatDoesNotParseFailsTheRead) {
    WindowTemplate window;
    window.table.append(0x06010000, std::vector<std::uint8_t>(30, 0x41));
    EXPECT_FALSE(readTemplateSegment(test::writeSegment({0x52010001}, {window})));
}

TEST_F(SegmentReaderTest, MenuItemEntriesAreReadWithTheirOwnLayout) {
    WindowTemplate window = onlyEntryZero();
    MenuItemRecordData item;
    item.classId = 0x10003;
    item.caption = "File";
    item.handler = 4;
    window.table.append(0x26010002, *encodeMenuItemRecord(item));
    const auto read = readTemplateSegment(test::writeSegment({0x52010001}, {window}));
    ASSERT_TRUE(read);
    EXPECT_TRUE(read->templates[0].table.isMenuItemAt(1));
}

// Damaged segments either fail or give tables whose every record parses.
TEST_F(SegmentReaderTest, CorruptedBytesNeverYieldUnreadableRecords) {
    const auto segment = test::writeSegment({0x52010001}, {test::sampleWindow()});
    int accepted = 0;
    for (std::size_t at = 0; at < segment.size(); ++at) {
        for (const int value : {0x00, 0x7F, 0x80, 0xFF}) {
            auto damaged = segment;
            damaged[at] = static_cast<std::uint8_t>(value);
            const auto read = readTemplateSegment(damaged);
            if (!read) continue;
            ++accepted;
            for (const WindowTemplate& window : read->templates) {
                for (std::size_t i = 0; i < window.table.count(); ++i) {
                    const auto record = *window.table.recordAt(i);
                    const bool parses = window.table.isMenuItemAt(i) ? MenuItemRecord::parse(record).has_value()
                                                                     : ComponentRecord::parse(record).has_value();
                    EXPECT_TRUE(parses) << at << " " << value << " entry " << i;
                }
            }
        }
    }
    EXPECT_GT(accepted, 0);
}

TEST_F(SegmentReaderTest, WriterRefusesMismatchedDirectory) {
    TemplateSegment segment;
    segment.windowIds = {0x52010001, 0x52010002};
    segment.templates.push_back(onlyEntryZero());
    EXPECT_FALSE(writeTemplateSegment(segment));
}

}  // namespace
}  // namespace veltrano
