#include <gtest/gtest.h>

#include "file_bytes.h"
#include "grid/file/grid_file_reader.h"
#include "grid/file/grid_file_writer.h"
#include "grid/model/byte_picture_codec.h"
#include "rich_grid.h"

namespace veltrano::grid::file {
namespace {

class GridFileRoundTripTest : public ::testing::Test {
protected:
    BytePictureCodec codec;
    GridModel rich = testing::makeRichGrid(codec);
};

TEST_F(GridFileRoundTripTest, EveryFieldAndListComesBack) {
    const std::vector<std::uint8_t> bytes = gridFileBytes(rich, codec);
    GridModel loaded;
    const GridFileReadResult result = readGridFile(bytes, loaded, codec);
    ASSERT_TRUE(result.ok()) << result.error->reason;
    EXPECT_EQ(result.version, 6);
    testing::expectSameFileContent(rich, loaded, codec);
    EXPECT_EQ(loaded.cell(8, 6)->text, "y");
    EXPECT_EQ(loaded.cell(9, 6)->text, std::string(600, 'L'));
    EXPECT_EQ(loaded.cell(2, 5)->text, "\xC2\xCC");
    EXPECT_TRUE(loaded.isSelected(8, 2));
}

TEST_F(GridFileRoundTripTest, SavingALoadedFileGivesTheSameBytes) {
    const std::vector<std::uint8_t> bytes = gridFileBytes(rich, codec);
    GridModel loaded;
    ASSERT_TRUE(readGridFile(bytes, loaded, codec).ok());
    EXPECT_EQ(gridFileBytes(loaded, codec), bytes);
}

// The writer gathers records in a buffer of its own and the reader takes
// sound records in one piece: records that straddle the buffer's end, and a
// text longer than the whole buffer, must come back as written.
TEST_F(GridFileRoundTripTest, RecordsAcrossTheWritersBufferComeBackWhole) {
    GridModel large;
    large.setRowCount(600);
    large.setColumnCount(9);
    for (std::int32_t row = 0; row < large.rowCount(); ++row) {
        for (std::int32_t column = 0; column < large.columnCount(); ++column) {
            const auto length = static_cast<std::size_t>((row * 7 + column * 5) % 41);
            large.setText(row, column, std::string(length, static_cast<char>('a' + column)), false);
            if ((row + column) % 3 == 0) {
                large.setBackgroundColour(row, column, static_cast<std::uint32_t>(row * 9 + column));
            }
        }
    }
    large.setText(300, 4, std::string(200000, 'Q'), false);
    large.setCheckState(301, 4, 1);
    const std::vector<std::uint8_t> bytes = gridFileBytes(large, codec);
    ASSERT_GT(bytes.size(), 400000u);

    GridModel loaded;
    const GridFileReadResult result = readGridFile(bytes, loaded, codec);
    ASSERT_TRUE(result.ok()) << result.error->reason;
    testing::expectSameFileContent(large, loaded, codec);
    EXPECT_EQ(loaded.cell(300, 4)->text, std::string(200000, 'Q'));
    EXPECT_EQ(loaded.cell(599, 8)->text, std::string((599 * 7 + 8 * 5) % 41, 'i'));
    EXPECT_EQ(loaded.cell(301, 4)->checkState, 1);
    EXPECT_EQ(loaded.cell(3, 0)->backgroundColour, 27u);
    EXPECT_EQ(gridFileBytes(loaded, codec), bytes);
}

TEST_F(GridFileRoundTripTest, AttributeListsHoldTheirCellsInRowMajorOrder) {
    using testing::int32At;
    const std::vector<std::uint8_t> bytes = gridFileBytes(rich, codec);
    // Counts of the seven lists: background, text colour, format, attribute
    // B, margin, masked, state; then the rules.
    EXPECT_EQ(int32At(bytes, 112), 1);
    EXPECT_EQ(int32At(bytes, 116), 1);
    EXPECT_EQ(int32At(bytes, 120), 2);
    EXPECT_EQ(int32At(bytes, 124), 1);
    EXPECT_EQ(int32At(bytes, 128), 1);
    EXPECT_EQ(int32At(bytes, 132), 1);
    EXPECT_EQ(int32At(bytes, 140), 2);
    EXPECT_EQ(int32At(bytes, 144), 2);
    const auto states = static_cast<std::size_t>(int32At(bytes, 136));

    const std::size_t rules = bytes.size() - 4 * 16;
    EXPECT_EQ(int32At(bytes, rules), 1);
    EXPECT_EQ(int32At(bytes, rules + 8), 503);
    EXPECT_EQ(int32At(bytes, rules + 32), 1);
    EXPECT_EQ(int32At(bytes, rules + 48), -5);

    const std::size_t stateList = rules - 12 * states;
    std::int64_t previous = -1;
    for (std::size_t record = stateList; record < rules; record += 12) {
        const std::int64_t position = std::int64_t{int32At(bytes, record)} * 7 + int32At(bytes, record + 4);
        EXPECT_GT(position, previous);
        previous = position;
    }
    EXPECT_EQ(int32At(bytes, stateList - 12), 7);
    EXPECT_EQ(int32At(bytes, stateList - 8), 1);
    EXPECT_EQ(int32At(bytes, stateList - 4), 1);
    const std::size_t formats = stateList - 12 * 3 - 24;
    EXPECT_EQ(int32At(bytes, formats), 0);
    EXPECT_EQ(int32At(bytes, formats + 4), 0);
    EXPECT_EQ(int32At(bytes, formats + 8), 0x815);
    EXPECT_EQ(int32At(bytes, formats + 12), 4);
    EXPECT_EQ(int32At(bytes, formats + 16), 1);
    EXPECT_EQ(int32At(bytes, formats + 20), 0x826);
}

TEST_F(GridFileRoundTripTest, LoadingKeepsWhatTheFileDoesNotCarry) {
    GridModel grid;
    grid.settings().showZeroValues = false;
    grid.settings().gridLineWidth = 3;
    LogFont font;
    font.setFaceName("Grid");
    grid.setGridFont(font, FontMetrics{0, 12, 3, 6});
    ASSERT_TRUE(readGridFile(gridFileBytes(rich, codec), grid, codec).ok());
    EXPECT_FALSE(grid.settings().showZeroValues);
    EXPECT_EQ(grid.settings().gridLineWidth, 3);
    EXPECT_EQ(grid.gridFont().faceName(), "Grid");
    EXPECT_EQ(grid.cell(11, 0)->font().faceName(), "Grid");
    EXPECT_EQ(grid.defaultRowHeight(), 21);
}

}  // namespace
}  // namespace veltrano::grid::file
