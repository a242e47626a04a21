#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "column_type_builder.h"
#include "file_bytes.h"
#include "grid/file/grid_file_reader.h"
#include "grid/file/grid_file_writer.h"
#include "grid/model/byte_picture_codec.h"

namespace veltrano::grid::file {
namespace {

using testing::FileBytes;
using testing::int32At;
using testing::oldVersionHeader;
using testing::putInt32;
using namespace std::string_literals;

constexpr std::size_t kBodyStart = 476;
constexpr std::size_t kColumnTypeCount = 96;
constexpr std::size_t kCellCount = 104;
constexpr std::size_t kFontCount = 108;
constexpr std::size_t kBackgroundCount = 112;
constexpr std::size_t kTextColourCount = 116;

using Counts = testing::RecordCounts;

class GridFileFormatTest : public ::testing::Test {
protected:
    std::vector<std::uint8_t> save(const GridModel& grid) { return gridFileBytes(grid, codec); }

    GridFileReadResult load(const std::vector<std::uint8_t>& bytes, GridModel& grid) {
        return readGridFile(bytes, grid, codec);
    }

    static GridModel smallGrid(std::int32_t rows, std::int32_t columns) {
        GridModel grid;
        grid.setRowCount(rows);
        grid.setColumnCount(columns);
        return grid;
    }

    BytePictureCodec codec;
};

TEST_F(GridFileFormatTest, HeaderAndSettingsSitAtTheirOffsets) {
    GridModel grid = smallGrid(3, 2);
    grid.setFixedRowCount(1);
    grid.setFixedColumnCount(1);
    grid.setDefaultRowHeight(24);
    grid.setDefaultColumnWidth(61);
    grid.setRowHeight(2, 40);
    grid.setColumnWidth(1, 99, true);
    GridSettings& settings = grid.settings();
    settings.gridLineColour = 0x010203;
    settings.defaultBackgroundColour = 0x040506;
    settings.gridLines = 2;
    settings.columnsResizable = false;
    settings.alternate = AlternateColouring{true, false, 0x0A0B0C, 0x0D0E0F};
    settings.textSetting = "setting";
    settings.faceNameSetting = "Face";
    settings.intSettings = {7, 8, 9};
    settings.pageLayout = {1, 2, 3, 4, 5, 6, 7};

    const std::vector<std::uint8_t> bytes = save(grid);
    // Row heights and column widths, then zeros up to the minimum length.
    ASSERT_EQ(bytes.size(), 540u);
    EXPECT_TRUE(std::all_of(bytes.begin() + kBodyStart + 3 * 4 + 2 * 4, bytes.end(),
                            [](std::uint8_t byte) { return byte == 0; }));
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "QGRD");
    EXPECT_EQ(int32At(bytes, 4), 6);
    EXPECT_EQ(int32At(bytes, 8), 0);
    const std::array<std::int32_t, 21> expected{3, 2, 1, 1, 24, 61, 0x010203, 0x040506, 0,        0,       2,
                                                1, 0, 1, 1, 1,  1,  1,        0,        0x0A0B0C, 0x0D0E0F};
    for (std::size_t index = 0; index < expected.size(); ++index) {
        EXPECT_EQ(int32At(bytes, 12 + 4 * index), expected[index]) << "at offset " << 12 + 4 * index;
    }
    EXPECT_EQ(std::string(bytes.begin() + 148, bytes.begin() + 156), "setting\0"s);
    EXPECT_EQ(bytes[403], 0);
    EXPECT_EQ(std::string(bytes.begin() + 404, bytes.begin() + 408), "Face");
    EXPECT_EQ(int32At(bytes, 436), 7);
    EXPECT_EQ(int32At(bytes, 444), 9);
    EXPECT_EQ(int32At(bytes, 448), 1);
    EXPECT_EQ(int32At(bytes, 472), 7);
    EXPECT_EQ(int32At(bytes, kBodyStart), 10);
    EXPECT_EQ(int32At(bytes, kBodyStart + 8), 40);
    EXPECT_EQ(int32At(bytes, kBodyStart + 12), 30);
    EXPECT_EQ(int32At(bytes, kBodyStart + 16), 99);
}

TEST_F(GridFileFormatTest, FilesShorterThan540BytesAreRefusedEvenWhenComplete) {
    // 15 rows and no columns: 536 bytes of complete header, settings and
    // row heights, padded by the writer.
    std::vector<std::uint8_t> bytes = save(smallGrid(15, 0));
    ASSERT_EQ(bytes.size(), 540u);
    EXPECT_TRUE(std::all_of(bytes.begin() + 536, bytes.end(), [](std::uint8_t byte) { return byte == 0; }));
    bytes.resize(539);
    GridModel grid = smallGrid(2, 2);
    const GridFileReadResult refused = load(bytes, grid);
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.error->section, GridFileSection::FileLength);
    EXPECT_EQ(grid.rowCount(), 2);

    bytes.resize(540);
    ASSERT_TRUE(load(bytes, grid).ok());
    EXPECT_EQ(grid.rowCount(), 15);
    EXPECT_EQ(grid.columnCount(), 0);
}

TEST_F(GridFileFormatTest, SmallGridsSavedByTheWriterLoadBack) {
    for (const auto& [rows, columns] : {std::pair{0, 0}, std::pair{4, 1}, std::pair{5, 2}}) {
        GridModel small = smallGrid(rows, columns);
        if (rows > 1 && columns > 1) small.setText(1, 1, "text", false);
        const std::vector<std::uint8_t> bytes = save(small);
        EXPECT_GE(bytes.size(), 540u) << rows << " x " << columns;
        GridModel loaded = smallGrid(2, 2);
        ASSERT_TRUE(load(bytes, loaded).ok()) << rows << " x " << columns;
        EXPECT_EQ(loaded.rowCount(), rows);
        EXPECT_EQ(loaded.columnCount(), columns);
        if (rows > 1 && columns > 1) {
            ASSERT_NE(loaded.cell(1, 1), nullptr);
            EXPECT_EQ(loaded.cell(1, 1)->text, "text");
        }
    }
}

TEST_F(GridFileFormatTest, WrongMagicAndVersionsOutsideOneToSixAreRefused) {
    const std::vector<std::uint8_t> valid = save(smallGrid(40, 3));
    GridModel grid = smallGrid(2, 2);
    grid.setText(1, 1, "unchanged", false);

    std::vector<std::uint8_t> magic = valid;
    magic[3] = 'X';
    const GridFileReadResult badMagic = load(magic, grid);
    ASSERT_FALSE(badMagic.ok());
    EXPECT_EQ(badMagic.error->section, GridFileSection::Header);
    EXPECT_EQ(badMagic.error->offset, 0u);

    for (const std::int32_t version : {0, 7, -1}) {
        std::vector<std::uint8_t> bytes = valid;
        putInt32(bytes, 4, version);
        const GridFileReadResult refused = load(bytes, grid);
        ASSERT_FALSE(refused.ok()) << "version " << version;
        EXPECT_EQ(refused.error->section, GridFileSection::Header);
        EXPECT_EQ(refused.error->offset, 4u);
    }
    EXPECT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(grid.cell(1, 1)->text, "unchanged");
}

TEST_F(GridFileFormatTest, VersionFiveCellsHoldFixedSizeTexts) {
    Counts counts{};
    counts[2] = 2;
    FileBytes file = oldVersionHeader(5, 2, 2, 0, counts);
    file.ints(2, 22).ints(2, 70);
    file.int32(0).int32(1).text("first", 256).int32(0).int32(0);
    file.int32(1).int32(1).text(std::string(256, 'w'), 256).int32(1).int32(3).raw("PIC");
    GridModel grid;
    const GridFileReadResult result = load(file.bytes, grid);
    ASSERT_TRUE(result.ok()) << result.error->reason;
    EXPECT_EQ(result.version, 5);
    EXPECT_EQ(grid.cell(0, 1)->text, "first");
    EXPECT_EQ(grid.cell(1, 1)->text, std::string(256, 'w'));
    EXPECT_EQ(grid.cell(1, 1)->checkState, 1);
    ASSERT_NE(grid.cell(1, 1)->picture(), nullptr);
    EXPECT_EQ(codec.toBytes(*grid.cell(1, 1)->picture()), (std::vector<std::uint8_t>{'P', 'I', 'C'}));
    EXPECT_EQ(grid.settings().textSetting, "old text");
    EXPECT_EQ(grid.settings().faceNameSetting, "Face");
    EXPECT_EQ(grid.settings().intSettings, (std::array<std::int32_t, 3>{1, 2, 3}));
    EXPECT_EQ(grid.settings().pageLayout[6], 33);
    EXPECT_EQ(grid.rowHeight(1), 22);
    EXPECT_EQ(grid.defaultColumnWidth(), 50);
}

TEST_F(GridFileFormatTest, VersionOneHasNoStateListAndNoRules) {
    Counts counts{};
    counts[2] = 1;
    counts[9] = 1;
    FileBytes file = oldVersionHeader(1, 30, 2, 0, counts);
    file.ints(32, 20);
    file.int32(1).int32(1).text("v1", 256).int32(0).int32(0);
    file.int32(1).int32(0).int32(1);
    ASSERT_EQ(file.bytes.size(), 12 + 124 + 128 + 272 + 12u);
    GridModel grid = smallGrid(5, 5);
    const GridFileReadResult result = load(file.bytes, grid);
    ASSERT_TRUE(result.ok()) << result.error->reason;
    EXPECT_EQ(grid.cell(1, 1)->text, "v1");
    EXPECT_EQ(grid.cell(1, 0)->masked(), 1);
    EXPECT_TRUE(grid.formulaRules().empty());
    // The older block has none of the carried settings: they stay.
    EXPECT_EQ(grid.settings().pageLayout, kDefaultPageLayout);
}

TEST_F(GridFileFormatTest, VersionThreeHasFormulaRulesButNoTotals) {
    Counts counts{};
    counts[2] = 1;
    counts[10] = 1;
    counts[11] = 1;
    FileBytes file = oldVersionHeader(3, 30, 3, 0, counts);
    file.ints(33, 20);
    file.int32(1).int32(2).text("x", 256).int32(0).int32(0);
    file.int32(1).int32(2).int32(0x22);
    file.int32(0).int32(1).int32(501).int32(2);
    GridModel grid;
    const GridFileReadResult result = load(file.bytes, grid);
    ASSERT_TRUE(result.ok()) << result.error->reason;
    EXPECT_EQ(grid.cell(1, 2)->state, 0x22u);
    EXPECT_TRUE(grid.isSelected(1, 2));
    ASSERT_EQ(grid.formulaRules().size(), 1u);
    EXPECT_EQ(grid.formulaRules()[0], (FormulaRule{0, 1, FormulaOperator::Add, 2}));
    EXPECT_TRUE(grid.totalRules().empty());
}

TEST_F(GridFileFormatTest, CheckStateOnlyCellWritesTextLengthOneAndOneNul) {
    GridModel grid = smallGrid(2, 2);
    grid.setCheckState(1, 1, 1);
    const std::vector<std::uint8_t> bytes = save(grid);
    EXPECT_EQ(int32At(bytes, kCellCount), 1);
    const std::size_t record = kBodyStart + 2 * 4 + 2 * 4;
    EXPECT_EQ(int32At(bytes, record), 1);
    EXPECT_EQ(int32At(bytes, record + 4), 1);
    EXPECT_EQ(int32At(bytes, record + 8), 1);
    EXPECT_EQ(bytes[record + 12], 0);
    EXPECT_EQ(int32At(bytes, record + 13), 1);
    EXPECT_EQ(int32At(bytes, record + 17), 0);
}

TEST_F(GridFileFormatTest, LoadedCellRecordsMarkBodyCellsModified) {
    GridModel grid = smallGrid(40, 2);
    grid.setCheckState(1, 1, 1);
    grid.setCheckState(1, 0, 1);
    ASSERT_EQ(grid.cell(1, 1)->state, 0u);
    GridModel loaded;
    ASSERT_TRUE(load(save(grid), loaded).ok());
    EXPECT_EQ(loaded.cell(1, 1)->state, kStateModified);
    EXPECT_EQ(loaded.cell(1, 0)->state, 0u);
    EXPECT_EQ(loaded.cell(1, 1)->checkState, 1);
}

TEST_F(GridFileFormatTest, TextsAreCountedWithTheirNul) {
    GridModel grid = smallGrid(40, 2);
    grid.setText(0, 1, "abc", false);
    const std::vector<std::uint8_t> bytes = save(grid);
    const std::size_t record = kBodyStart + 40 * 4 + 2 * 4;
    EXPECT_EQ(int32At(bytes, record + 8), 4);
    EXPECT_EQ(std::string(bytes.begin() + static_cast<std::ptrdiff_t>(record) + 12,
                          bytes.begin() + static_cast<std::ptrdiff_t>(record) + 16),
              "abc\0"s);
}

TEST_F(GridFileFormatTest, UnitTextOfEightBytesIsWrittenWithoutNulAndReadBackWhole) {
    GridModel grid = smallGrid(40, 2);
    grid.addColumnType(
        testing::TypeOf(1, ColumnKind::UnitNumber).unit("ABCDEFGH").second("0123456789ABCDEF").option(4).decimals(2));
    const std::vector<std::uint8_t> bytes = save(grid);
    const std::size_t record = kBodyStart + 40 * 4 + 2 * 4;
    EXPECT_EQ(int32At(bytes, kColumnTypeCount), 1);
    EXPECT_EQ(std::string(bytes.begin() + static_cast<std::ptrdiff_t>(record) + 8,
                          bytes.begin() + static_cast<std::ptrdiff_t>(record) + 28),
              "ABCDEFGH0123456789AB");
    EXPECT_EQ(int32At(bytes, record + 28), 4);
    EXPECT_EQ(int32At(bytes, record + 32), 2);
    EXPECT_EQ(int32At(bytes, record + 36), 0);

    GridModel loaded;
    ASSERT_TRUE(load(bytes, loaded).ok());
    ASSERT_EQ(loaded.columnTypes().size(), 1u);
    EXPECT_EQ(loaded.columnTypes()[0].unitText, "ABCDEFGH");
    EXPECT_EQ(loaded.columnTypes()[0].secondText, "0123456789AB");
    EXPECT_EQ(loaded.columnTypes()[0].kind, ColumnKind::UnitNumber);
}

TEST_F(GridFileFormatTest, ListItemsFollowTheirColumnTypeRecord) {
    GridModel grid = smallGrid(40, 2);
    grid.addColumnType(testing::TypeOf(1, ColumnKind::DropDownList).items({"one", std::string(120, 'i')}));
    grid.addColumnType(testing::TypeOf(0, ColumnKind::Date).second("yyyy-MM-dd"));
    const std::vector<std::uint8_t> bytes = save(grid);
    const std::size_t record = kBodyStart + 40 * 4 + 2 * 4;
    EXPECT_EQ(int32At(bytes, record + 36), 2);
    EXPECT_EQ(bytes[record + 40 + 3], 0);
    EXPECT_EQ(bytes[record + 140 + 99], 'i');
    EXPECT_EQ(int32At(bytes, record + 240), 0);

    GridModel loaded;
    ASSERT_TRUE(load(bytes, loaded).ok());
    ASSERT_EQ(loaded.columnTypes().size(), 2u);
    EXPECT_EQ(loaded.columnTypes()[0].items, (std::vector<std::string>{"one", std::string(100, 'i')}));
    EXPECT_EQ(loaded.columnTypes()[1].secondText, "yyyy-MM-dd");
}

TEST_F(GridFileFormatTest, ColumnTypesRunningPastTheEndAreRefusedBeforeAnythingChanges) {
    GridModel source = smallGrid(40, 2);
    source.addColumnType(testing::TypeOf(1, ColumnKind::EditableList).items({"a"}));
    std::vector<std::uint8_t> bytes = save(source);
    GridModel grid = smallGrid(3, 3);
    grid.setText(2, 2, "kept", false);

    std::vector<std::uint8_t> tooMany = bytes;
    putInt32(tooMany, kColumnTypeCount, 30);
    GridFileReadResult result = load(tooMany, grid);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error->section, GridFileSection::ColumnTypes);

    std::vector<std::uint8_t> items = bytes;
    putInt32(items, kBodyStart + 40 * 4 + 2 * 4 + 36, 1000);
    result = load(items, grid);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error->section, GridFileSection::ColumnTypes);

    EXPECT_EQ(grid.rowCount(), 3);
    EXPECT_EQ(grid.cell(2, 2)->text, "kept");
    EXPECT_TRUE(grid.columnTypes().empty());
}

TEST_F(GridFileFormatTest, ColourEqualToTheDefaultIsNotWritten) {
    GridModel grid = smallGrid(40, 2);
    grid.settings().defaultBackgroundColour = 0xFFFFFF;
    grid.settings().defaultTextColour = 0x000000;
    grid.setBackgroundColour(1, 1, 0xFFFFFF);
    grid.setBackgroundColour(2, 1, 0x00FF00);
    grid.setTextColour(3, 1, 0x000000);
    grid.setTextColour(4, 1, 0x0000FF);
    grid.setTextColour(5, 1, 0x81000000);
    const std::vector<std::uint8_t> bytes = save(grid);
    EXPECT_EQ(int32At(bytes, kBackgroundCount), 1);
    EXPECT_EQ(int32At(bytes, kTextColourCount), 1);

    GridModel loaded;
    ASSERT_TRUE(load(bytes, loaded).ok());
    EXPECT_EQ(loaded.cell(1, 1)->backgroundColour, kDefaultColour);
    EXPECT_EQ(loaded.cell(2, 1)->backgroundColour, 0x00FF00u);
    EXPECT_EQ(loaded.cell(3, 1)->textColour, kDefaultColour);
    EXPECT_EQ(loaded.cell(4, 1)->textColour, 0x0000FFu);
    EXPECT_EQ(loaded.cell(5, 1)->textColour, kDefaultColour);
}

TEST_F(GridFileFormatTest, FontsAreWrittenOnlyWhenTheyDrawDifferently) {
    GridModel grid = smallGrid(40, 2);
    LogFont wider = grid.gridFont();
    wider.setWidth(9);
    LogFont italic = grid.gridFont();
    italic.setItalic(1);
    italic.setFaceName("Italic");
    grid.setFont(1, 0, wider);
    grid.setFont(1, 1, italic);
    const std::vector<std::uint8_t> bytes = save(grid);
    ASSERT_EQ(int32At(bytes, kFontCount), 1);
    const std::size_t record = kBodyStart + 40 * 4 + 2 * 4;
    EXPECT_EQ(int32At(bytes, record), 1);
    EXPECT_EQ(int32At(bytes, record + 4), 1);
    EXPECT_EQ(bytes[record + 8 + 20], 1);
    EXPECT_EQ(std::string(bytes.begin() + static_cast<std::ptrdiff_t>(record) + 36,
                          bytes.begin() + static_cast<std::ptrdiff_t>(record) + 42),
              "Italic");
}

TEST_F(GridFileFormatTest, LoadedColumnWidthsKeepTheMinimum) {
    GridModel source = smallGrid(40, 2);
    source.setColumnWidth(0, 2, true);
    GridModel grid;
    grid.settings().gridLineWidth = 1;
    ASSERT_TRUE(load(save(source), grid).ok());
    EXPECT_EQ(grid.columnWidth(0), 7);
    EXPECT_EQ(grid.columnWidth(1), 30);
}

TEST_F(GridFileFormatTest, NumbersAreFormattedAgainWhenLoaded) {
    GridModel source = smallGrid(40, 2);
    source.setText(1, 1, "2.5", false);
    source.addColumnType(testing::TypeOf(1, ColumnKind::Number).decimals(3));
    GridModel grid;
    ASSERT_TRUE(load(save(source), grid).ok());
    EXPECT_EQ(grid.cell(1, 1)->text, "2.500");
}

}  // namespace
}  // namespace veltrano::grid::file
