#include <gtest/gtest.h>

#include "file_bytes.h"
#include "grid/file/grid_file_reader.h"
#include "grid/file/grid_file_writer.h"
#include "grid/model/byte_picture_codec.h"
#include "rich_grid.h"

namespace veltrano::grid::file {
namespace {

using testing::int32At;
using testing::putInt32;

constexpr std::size_t kBodyStart = 476;

class GridFileDamageTest : public ::testing::Test {
protected:
    void SetUp() override {
        valid = gridFileBytes(rich, codec);
        target.setRowCount(3);
        target.setColumnCount(2);
        target.setText(1, 1, "before", false);
        target.addMerge(MergeRecord{0, 0, 0, 0, 0, 1});
        target.addFormulaRule(FormulaRule{0, 1, FormulaOperator::Add, 1});
        snapshot = gridFileBytes(target, codec);
    }

    // Loads damaged bytes into the target, expects a refusal in the given
    // section and an untouched target.
    GridFileError expectRefused(const std::vector<std::uint8_t>& bytes, GridFileSection section) {
        const GridFileReadResult result = readGridFile(bytes, target, codec);
        EXPECT_FALSE(result.ok());
        EXPECT_EQ(gridFileBytes(target, codec), snapshot);
        if (!result.ok()) {
            EXPECT_EQ(result.error->section, section)
                << sectionName(result.error->section) << ": " << result.error->reason;
            return *result.error;
        }
        return {};
    }

    std::size_t firstCellRecord() const {
        // Row heights, column widths, column type records with their items,
        // merges.
        std::size_t offset = kBodyStart + 4 * 12 + 4 * 7;
        for (const ColumnType& type : rich.columnTypes()) {
            offset += 40 + 100 * type.items.size();
        }
        return offset + 24 * rich.merges().size();
    }

    BytePictureCodec codec;
    GridModel rich = testing::makeRichGrid(codec);
    std::vector<std::uint8_t> valid;
    GridModel target;
    std::vector<std::uint8_t> snapshot;
};

TEST_F(GridFileDamageTest, EveryTruncationIsRefusedAndLeavesTheGridUnchanged) {
    ASSERT_GT(valid.size(), 540u);
    for (std::size_t length = 0; length < valid.size(); ++length) {
        const std::vector<std::uint8_t> truncated(valid.begin(), valid.begin() + static_cast<std::ptrdiff_t>(length));
        const GridFileReadResult result = readGridFile(truncated, target, codec);
        ASSERT_FALSE(result.ok()) << "a file cut to " << length << " bytes was accepted";
        ASSERT_LE(result.error->offset, length);
    }
    EXPECT_EQ(gridFileBytes(target, codec), snapshot);
    ASSERT_TRUE(readGridFile(valid, target, codec).ok());
}

TEST_F(GridFileDamageTest, CorruptedCellTextLengthIsRefused) {
    const std::size_t length = firstCellRecord() + 8;
    ASSERT_EQ(int32At(valid, length - 8), 0);
    ASSERT_EQ(int32At(valid, length - 4), 1);
    ASSERT_EQ(int32At(valid, length), 7);

    for (const std::int32_t corrupted : {0x7FFFFFFF, -1, 0, 6, 1000000}) {
        SCOPED_TRACE(::testing::Message() << "text length " << corrupted);
        std::vector<std::uint8_t> bytes = valid;
        putInt32(bytes, length, corrupted);
        const GridFileError error = expectRefused(bytes, GridFileSection::Cells);
        EXPECT_EQ(error.offset, length);
    }
}

TEST_F(GridFileDamageTest, CellOutsideTheGridIsRefused) {
    std::vector<std::uint8_t> bytes = valid;
    putInt32(bytes, firstCellRecord(), 12);
    const GridFileError error = expectRefused(bytes, GridFileSection::Cells);
    EXPECT_EQ(error.offset, firstCellRecord());
}

TEST_F(GridFileDamageTest, AttributeRecordOutsideTheGridIsRefusedAtThatRecord) {
    // The last state record comes just before two total and two formula
    // rules; the rich grid has 12 rows and 7 columns.
    const std::size_t record = valid.size() - 64 - 12;
    for (const auto& [field, value] : {std::pair<std::size_t, std::int32_t>{0, 12}, {4, 7}, {4, -1}}) {
        SCOPED_TRACE(::testing::Message() << "field " << field << " set to " << value);
        std::vector<std::uint8_t> bytes = valid;
        putInt32(bytes, record + field, value);
        const GridFileError error = expectRefused(bytes, GridFileSection::States);
        EXPECT_EQ(error.offset, record);
        EXPECT_NE(error.reason.find(std::to_string(value)), std::string::npos) << error.reason;
    }
}

TEST_F(GridFileDamageTest, NegativePictureSizeIsRefused) {
    // The first cell record, (0, 1) "Amount": row, column, length, 7 text
    // bytes, check state, picture size.
    const std::size_t pictureSize = firstCellRecord() + 12 + 7 + 4;
    ASSERT_EQ(int32At(valid, pictureSize), 0);
    std::vector<std::uint8_t> bytes = valid;
    putInt32(bytes, pictureSize, -4);
    EXPECT_EQ(expectRefused(bytes, GridFileSection::Cells).offset, pictureSize);
}

TEST_F(GridFileDamageTest, DamagedLaterSectionsAreRefused) {
    // From the end: two total rules, two formula rules, then the state list.
    const std::size_t rules = valid.size() - 64;
    std::vector<std::uint8_t> state = valid;
    putInt32(state, rules - 12, -1);
    expectRefused(state, GridFileSection::States);

    std::vector<std::uint8_t> totals = valid;
    putInt32(totals, 144, 3);
    expectRefused(totals, GridFileSection::TotalRules);

    std::vector<std::uint8_t> formulas = valid;
    putInt32(formulas, 140, 7);
    expectRefused(formulas, GridFileSection::FormulaRules);

    std::vector<std::uint8_t> fonts = valid;
    putInt32(fonts, 108, 1000);
    expectRefused(fonts, GridFileSection::Fonts);

    std::vector<std::uint8_t> negative = valid;
    putInt32(negative, 120, -2);
    EXPECT_EQ(expectRefused(negative, GridFileSection::Settings).offset, 120u);
}

TEST_F(GridFileDamageTest, ImpossibleDimensionsAreRefusedBeforeAllocating) {
    std::vector<std::uint8_t> huge = valid;
    putInt32(huge, 12, 0x7FFFFFFF);
    expectRefused(huge, GridFileSection::Settings);

    // Allowed by the cell limit, but the row heights are not in the file.
    std::vector<std::uint8_t> tall = valid;
    putInt32(tall, 12, 1 << 22);
    putInt32(tall, 16, 0);
    putInt32(tall, 20, 0);
    putInt32(tall, 24, 0);
    expectRefused(tall, GridFileSection::RowHeights);

    std::vector<std::uint8_t> wide = valid;
    putInt32(wide, 16, 1 << 20);
    expectRefused(wide, GridFileSection::Settings);

    std::vector<std::uint8_t> fixed = valid;
    putInt32(fixed, 20, 13);
    expectRefused(fixed, GridFileSection::Settings);

    std::vector<std::uint8_t> negative = valid;
    putInt32(negative, 16, -7);
    expectRefused(negative, GridFileSection::Settings);
}

TEST_F(GridFileDamageTest, MergedRangesPiledWithoutEndAreRefused) {
    // A 1000 x 1000 grid whose ten merge records each cover all of it.
    GridModel big;
    big.setRowCount(1000);
    big.setColumnCount(1000);
    std::vector<std::uint8_t> bytes = gridFileBytes(big, codec);
    const std::size_t merges = kBodyStart + 4 * 1000 + 4 * 1000;
    ASSERT_EQ(bytes.size(), merges);
    testing::FileBytes records;
    for (int index = 0; index < 10; ++index) {
        records.int32(0).int32(0).int32(0).int32(0).int32(999).int32(999);
    }
    bytes.insert(bytes.end(), records.bytes.begin(), records.bytes.end());
    putInt32(bytes, 100, 10);
    const GridFileError error = expectRefused(bytes, GridFileSection::Merges);
    // The ninth record passes the limit of twice the largest grid.
    EXPECT_EQ(error.offset, merges + 8 * 24);
}

TEST_F(GridFileDamageTest, FiftyMegabyteTableLoads) {
    GridModel big;
    big.setRowCount(2000);
    big.setColumnCount(5);
    const std::string text(5000, 'T');
    for (std::int32_t row = 0; row < 2000; ++row) {
        for (std::int32_t column = 0; column < 5; ++column) {
            big.setText(row, column, text, false);
        }
    }
    const std::vector<std::uint8_t> bytes = gridFileBytes(big, codec);
    ASSERT_GT(bytes.size(), 50u * 1000 * 1000);
    ASSERT_TRUE(readGridFile(bytes, target, codec).ok());
    EXPECT_EQ(target.rowCount(), 2000);
    EXPECT_EQ(target.cell(1999, 4)->text, text);
}

}  // namespace
}  // namespace veltrano::grid::file
