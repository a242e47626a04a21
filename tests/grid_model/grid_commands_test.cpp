#include "grid/model/grid_commands.h"

#include <gtest/gtest.h>

#include "column_type_builder.h"
#include "grid/model/byte_picture_codec.h"

namespace veltrano::grid {
namespace {

constexpr std::int32_t kText = 1;
constexpr std::int32_t kCheck = 5;
constexpr std::int32_t kPicture = 6;

// 10 rows, 6 columns, one fixed row and one fixed column. Column 1 plain
// text, 2 numeric with two decimals, 3 check boxes, 4 pictures, 5 numeric
// without decimals.
class GridCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        grid.setRowCount(10);
        grid.setColumnCount(6);
        grid.setFixedRowCount(1);
        grid.setFixedColumnCount(1);
        grid.addColumnType(testing::TypeOf(2, ColumnKind::Number).decimals(2));
        grid.addColumnType(testing::TypeOf(3, ColumnKind::CheckBox));
        grid.addColumnType(testing::TypeOf(4, ColumnKind::Picture));
        grid.addColumnType(testing::TypeOf(5, ColumnKind::Number));
    }

    const std::string& text(std::int32_t row, std::int32_t column) { return grid.cell(row, column)->text; }

    GridModel grid;
    BytePictureCodec codec;
    GridCommands commands{grid, codec};
};

TEST_F(GridCommandsTest, GetCellDataOutsideTheGridIsFalseOrAnEmptyByteSet) {
    EXPECT_EQ(commands.getCellData(-1, 1), GridValue::logical(false));
    EXPECT_EQ(commands.getCellData(10, 1), GridValue::logical(false));
    EXPECT_EQ(commands.getCellData(-1, 4), GridValue::bytes({}));
}

TEST_F(GridCommandsTest, GetCellDataAnswersByRowAndColumnKind) {
    grid.setText(0, 3, "Done", false);
    grid.setCheckState(0, 3, 1);
    grid.setCheckState(2, 3, 1);
    grid.setText(2, 3, "ignored", false);
    grid.setPicture(2, 4, std::make_shared<BytePicture>(std::vector<std::uint8_t>{1, 2, 3}));
    grid.setText(2, 1, "plain", false);
    EXPECT_EQ(commands.getCellData(0, 3), GridValue::text("Done"));
    EXPECT_EQ(commands.getCellData(2, 3), GridValue::logical(true));
    EXPECT_EQ(commands.getCellData(3, 3), GridValue::logical(false));
    EXPECT_EQ(commands.getCellData(2, 4), GridValue::bytes({1, 2, 3}));
    EXPECT_EQ(commands.getCellData(3, 4), GridValue::bytes({}));
    EXPECT_EQ(commands.getCellData(2, 1), GridValue::text("plain"));
    EXPECT_EQ(commands.getCellData(3, 1), GridValue::text(""));
}

TEST_F(GridCommandsTest, FixedColumnOfACheckBoxColumnYieldsItsCheckState) {
    grid.addColumnType(testing::TypeOf(0, ColumnKind::CheckBox));
    grid.setCheckState(4, 0, 1);
    EXPECT_EQ(commands.getCellData(4, 0), GridValue::logical(true));
}

TEST_F(GridCommandsTest, NonNumberTextInANumericColumnIsRefused) {
    ASSERT_TRUE(commands.setCellData(2, 2, kText, GridValue::text("1.5")));
    ASSERT_EQ(text(2, 2), "1.50");
    EXPECT_FALSE(commands.setCellData(2, 2, kText, GridValue::text("abc")));
    EXPECT_FALSE(commands.setCellData(2, 2, kText, GridValue::text("0.0")));
    EXPECT_EQ(text(2, 2), "1.50");
}

TEST_F(GridCommandsTest, SpacedZeroStoresZeroFormattedByTheDecimals) {
    ASSERT_TRUE(commands.setCellData(2, 2, kText, GridValue::text(" 0")));
    EXPECT_EQ(text(2, 2), "0.00");
    ASSERT_TRUE(commands.setCellData(2, 5, kText, GridValue::text(" 0")));
    EXPECT_EQ(text(2, 5), "0");
    grid.settings().showZeroValues = false;
    ASSERT_TRUE(commands.setCellData(3, 2, kText, GridValue::text(" 0")));
    EXPECT_EQ(text(3, 2), "");
}

// An empty numeric cell holds no number, not a zero: showing zeros does not
// fill it, so clearing a cell or a computed column with both sources empty
// leaves it empty. A unit text counts only in a unit-number column; a stray
// one in a text or list column does not turn its texts into numbers.
TEST_F(GridCommandsTest, EmptyNumericCellsStayEmptyWithZerosShownAndOnlyUnitNumberColumnsHaveUnits) {
    ASSERT_TRUE(grid.settings().showZeroValues);
    ASSERT_TRUE(commands.setCellData(2, 2, kText, GridValue::text("")));
    EXPECT_EQ(text(2, 2), "");
    ASSERT_TRUE(commands.setCellData(3, 2, kText, GridValue::text("4")));
    ASSERT_TRUE(commands.clearCells(3, 2, std::nullopt, std::nullopt));
    EXPECT_EQ(text(3, 2), "");

    grid.addColumnType(testing::TypeOf(1, ColumnKind::PlainText).unit("kg").decimals(2));
    ASSERT_TRUE(commands.setCellData(2, 1, kText, GridValue::text("abc")));
    EXPECT_EQ(text(2, 1), "abc");
    ASSERT_TRUE(commands.setCellData(3, 1, kText, GridValue::text("7")));
    EXPECT_EQ(text(3, 1), "7");
}

TEST_F(GridCommandsTest, NumbersThatConvertAreKeptWithTheirSpaces) {
    ASSERT_TRUE(commands.setCellData(2, 5, kText, GridValue::text("  12abc")));
    EXPECT_EQ(text(2, 5), "  12abc");
    ASSERT_TRUE(commands.setCellData(2, 5, kText, GridValue::text("   ")));
    EXPECT_EQ(text(2, 5), "");
}

TEST_F(GridCommandsTest, FixedCellsOfNumericColumnsTakeAnyText) {
    ASSERT_TRUE(commands.setCellData(0, 2, kText, GridValue::text("Price")));
    EXPECT_EQ(text(0, 2), "Price");
}

TEST_F(GridCommandsTest, IntegersAreWrittenWithTheColumnDecimals) {
    ASSERT_TRUE(commands.setCellData(2, 2, kText, GridValue::integer(5)));
    EXPECT_EQ(text(2, 2), "5.00");
    ASSERT_TRUE(commands.setCellData(3, 2, kText, GridValue::integer(0)));
    EXPECT_EQ(text(3, 2), "0.00");
}

TEST_F(GridCommandsTest, ValuesBecomeTextsByTheirType) {
    ASSERT_TRUE(commands.setCellData(2, 1, kText, GridValue::byte(200)));
    EXPECT_EQ(text(2, 1), "200");
    ASSERT_TRUE(commands.setCellData(2, 1, kText, GridValue::shortInteger(-7)));
    EXPECT_EQ(text(2, 1), "-7");
    ASSERT_TRUE(commands.setCellData(2, 1, kText, GridValue::longInteger(-9000000000LL)));
    EXPECT_EQ(text(2, 1), "-9000000000");
    ASSERT_TRUE(commands.setCellData(2, 1, kText, GridValue::single(0.1f)));
    EXPECT_EQ(text(2, 1), "0.1");
    ASSERT_TRUE(commands.setCellData(2, 1, kText, GridValue::doubleReal(1.0 / 3.0)));
    EXPECT_EQ(text(2, 1), "0.3333333333333");
    ASSERT_TRUE(commands.setCellData(2, 1, kText, GridValue::doubleReal(1e20)));
    EXPECT_EQ(text(2, 1), "1e+20");
    EXPECT_FALSE(commands.setCellData(2, 1, kText, GridValue::logical(true)));
    EXPECT_FALSE(commands.setCellData(2, 1, kText, GridValue::bytes({1})));
    EXPECT_EQ(text(2, 1), "1e+20");
}

TEST_F(GridCommandsTest, TextIntoBodyCellsOfCheckBoxAndPictureColumnsIsRefused) {
    EXPECT_FALSE(commands.setCellData(2, 3, kText, GridValue::text("x")));
    EXPECT_FALSE(commands.setCellData(2, 4, kText, GridValue::text("x")));
    EXPECT_TRUE(commands.setCellData(0, 3, kText, GridValue::text("Done")));
    grid.addColumnType(testing::TypeOf(0, ColumnKind::CheckBox));
    EXPECT_TRUE(commands.setCellData(5, 0, kText, GridValue::text("row label")));
    EXPECT_EQ(text(5, 0), "row label");
}

TEST_F(GridCommandsTest, CheckStateWantsALogicalInACheckBoxColumn) {
    EXPECT_FALSE(commands.setCellData(2, 3, kCheck, GridValue::integer(1)));
    EXPECT_EQ(grid.cell(2, 3)->checkState, 0);
    EXPECT_FALSE(commands.setCellData(2, 1, kCheck, GridValue::logical(true)));
    ASSERT_TRUE(commands.setCellData(2, 3, kCheck, GridValue::logical(true)));
    EXPECT_EQ(grid.cell(2, 3)->checkState, 1);
    ASSERT_TRUE(commands.setCellData(0, 3, kCheck, GridValue::logical(true)));
    EXPECT_EQ(grid.cell(0, 3)->checkState, 1);
    ASSERT_TRUE(commands.setCellData(2, 3, kCheck, GridValue::logical(false)));
    EXPECT_EQ(grid.cell(2, 3)->checkState, 0);
}

TEST_F(GridCommandsTest, PictureBytesGoIntoPictureColumnsOnly) {
    ASSERT_TRUE(commands.setCellData(2, 4, kPicture, GridValue::bytes({9, 8})));
    EXPECT_EQ(commands.getCellData(2, 4), GridValue::bytes({9, 8}));
    EXPECT_FALSE(commands.setCellData(2, 1, kPicture, GridValue::bytes({9, 8})));
    EXPECT_FALSE(commands.setCellData(2, 4, kPicture, GridValue::integer(1)));
    EXPECT_FALSE(commands.setCellData(3, 4, kPicture, GridValue::bytes({})));
    EXPECT_FALSE(commands.setCellData(3, 4, kPicture, GridValue::text("/no/such/picture.png")));
    EXPECT_EQ(grid.cell(3, 4)->picture(), nullptr);
}

TEST_F(GridCommandsTest, UnknownDataKindsAndInvalidCellsStoreNothing) {
    EXPECT_FALSE(commands.setCellData(2, 1, 2, GridValue::text("x")));
    EXPECT_FALSE(commands.setCellData(-1, 1, kText, GridValue::text("x")));
    EXPECT_FALSE(commands.setCellData(2, 6, kText, GridValue::text("x")));
    EXPECT_EQ(text(2, 1), "");
}

TEST_F(GridCommandsTest, RightAlignmentKeepsWordWrap) {
    grid.setFormat(2, 1, 0x810);
    ASSERT_TRUE(commands.setAlignment(2, 1, 2, 2, 3));
    EXPECT_EQ(grid.cell(2, 1)->format, 0x816u);
    EXPECT_EQ(grid.cell(2, 2)->format, 0x826u);
}

TEST_F(GridCommandsTest, AlignmentValuesMapToBaseFormats) {
    ASSERT_TRUE(commands.setAlignment(2, 1, std::nullopt, std::nullopt, 2));
    EXPECT_EQ(grid.cell(2, 1)->format, 0x825u);
    EXPECT_EQ(grid.cell(2, 2)->format, 0x824u);
    ASSERT_TRUE(commands.setAlignment(2, 1, std::nullopt, std::nullopt, 7));
    EXPECT_EQ(grid.cell(2, 1)->format, 0x824u);
    ASSERT_TRUE(commands.setAlignment(2, 1, std::nullopt, std::nullopt, std::nullopt));
    EXPECT_EQ(grid.cell(2, 1)->format, 0x824u);
}

TEST_F(GridCommandsTest, AlignmentClipsTheFarCornerToTheGrid) {
    ASSERT_TRUE(commands.setAlignment(7, 5, 1000, 1000, 2));
    for (std::int32_t row = 7; row < 10; ++row) {
        EXPECT_EQ(grid.cell(row, 5)->format, 0x825u);
    }
    EXPECT_EQ(grid.cell(6, 5)->format, 0x824u);
}

TEST_F(GridCommandsTest, InvalidAlignmentRangesChangeNothing) {
    EXPECT_FALSE(commands.setAlignment(-1, 1, 2, 2, 2));
    EXPECT_FALSE(commands.setAlignment(3, 1, 2, 2, 2));
    EXPECT_FALSE(commands.setAlignment(2, 3, 2, 2, 2));
    EXPECT_FALSE(commands.setAlignment(10, 1, 12, 2, 2));
    EXPECT_EQ(grid.cell(2, 2)->format, 0x824u);
}

TEST_F(GridCommandsTest, AlignmentCopiesAnchorAttributesAcrossMerges) {
    ASSERT_TRUE(commands.mergeCells(2, 1, 3, 2));
    grid.setBackgroundColour(2, 1, 0x123456);
    grid.setMasked(2, 1, 1);
    ASSERT_TRUE(commands.setAlignment(2, 1, std::nullopt, std::nullopt, 3));
    EXPECT_EQ(grid.cell(3, 2)->format, 0x826u);
    EXPECT_EQ(grid.cell(3, 2)->backgroundColour, 0x123456u);
    EXPECT_EQ(grid.cell(3, 2)->masked(), 1);
}

TEST_F(GridCommandsTest, MergeMarksAnchorAndCoversTheRest) {
    LogFont font;
    font.setFaceName("Anchor");
    grid.setFont(2, 1, font);
    grid.setText(3, 1, "kept", false);
    ASSERT_TRUE(commands.mergeCells(2, 1, 3, 2));
    ASSERT_EQ(grid.merges().size(), 1u);
    EXPECT_EQ(grid.merges()[0], (MergeRecord{2, 1, 2, 1, 3, 2}));
    EXPECT_EQ(grid.cell(2, 1)->mergeAnchor(), 1);
    EXPECT_EQ(grid.cell(2, 1)->state & kStateCovered, 0u);
    for (const CellAddress at : {CellAddress{2, 2}, CellAddress{3, 1}, CellAddress{3, 2}}) {
        EXPECT_EQ(grid.cell(at.row, at.column)->state & kStateCovered, kStateCovered);
        EXPECT_EQ(grid.cell(at.row, at.column)->font(), font);
    }
    EXPECT_EQ(text(3, 1), "kept");
}

TEST_F(GridCommandsTest, MergingOverAnExistingAnchorDoesNothingAndClearsTheSelection) {
    ASSERT_TRUE(commands.mergeCells(3, 2, 4, 3));
    grid.selectRange(6, 1, 6, 2);
    EXPECT_FALSE(commands.mergeCells(2, 1, 5, 5));
    EXPECT_EQ(grid.merges().size(), 1u);
    EXPECT_EQ(grid.cell(2, 1)->mergeAnchor(), 0);
    EXPECT_EQ(grid.selectedCount(), 0u);
    EXPECT_EQ(grid.cell(6, 1)->state, 0u);
}

TEST_F(GridCommandsTest, MergingAcrossAnExistingRangeIsRefused) {
    ASSERT_TRUE(commands.mergeCells(4, 1, 4, 5));
    EXPECT_FALSE(commands.mergeCells(3, 2, 5, 3));
    ASSERT_TRUE(commands.mergeCells(6, 3, 9, 3));
    EXPECT_FALSE(commands.mergeCells(7, 2, 8, 4));
    EXPECT_EQ(grid.merges().size(), 2u);
}

TEST_F(GridCommandsTest, MergingTwoHeaderCellsClearsTheSecondText) {
    grid.setText(0, 1, "First", false);
    grid.setText(0, 2, "Second", false);
    ASSERT_TRUE(commands.mergeCells(0, 1, 0, 2));
    EXPECT_EQ(text(0, 1), "First");
    EXPECT_EQ(text(0, 2), "");
}

TEST_F(GridCommandsTest, MergesMustBeRealRangesInsideOneArea) {
    EXPECT_FALSE(commands.mergeCells(2, 2, std::nullopt, std::nullopt));
    EXPECT_FALSE(commands.mergeCells(0, 1, 1, 1));
    EXPECT_FALSE(commands.mergeCells(2, 0, 2, 1));
    EXPECT_FALSE(commands.mergeCells(8, 1, 10, 1));
    EXPECT_FALSE(commands.mergeCells(3, 1, 2, 1));
    EXPECT_FALSE(commands.mergeCells(-1, 1, 2, 1));
    EXPECT_TRUE(commands.mergeCells(1, 0, 9, 0));
    EXPECT_EQ(grid.merges().size(), 1u);
}

TEST_F(GridCommandsTest, ClearCellsEmptiesContentButKeepsLooks) {
    grid.addFormulaRule({2, 1, FormulaOperator::Add, 5});
    commands.setCellData(2, 2, kText, GridValue::text("4"));
    commands.setCellData(2, 3, kCheck, GridValue::logical(true));
    commands.setCellData(2, 4, kPicture, GridValue::bytes({1}));
    commands.setCellData(2, 1, kText, GridValue::text("note"));
    grid.setBackgroundColour(2, 1, 0xABCDEF);
    grid.setFormat(2, 1, 0x825);
    ASSERT_EQ(text(2, 5), "4");
    ASSERT_TRUE(commands.clearCells(2, 1, 2, 4));
    EXPECT_EQ(text(2, 5), "");
    EXPECT_EQ(text(2, 1), "");
    EXPECT_EQ(text(2, 2), "");
    EXPECT_EQ(grid.cell(2, 3)->checkState, 0);
    EXPECT_EQ(grid.cell(2, 4)->picture(), nullptr);
    EXPECT_EQ(grid.cell(2, 1)->backgroundColour, 0xABCDEFu);
    EXPECT_EQ(grid.cell(2, 1)->format, 0x825u);
    EXPECT_FALSE(commands.clearCells(3, 3, 2, 2));
}

TEST_F(GridCommandsTest, SetColumnWidthIsForced) {
    grid.settings().gridLineWidth = 1;
    ASSERT_TRUE(commands.setColumnWidth(2, 0));
    EXPECT_EQ(grid.columnWidth(2), 0);
    EXPECT_FALSE(commands.setColumnWidth(6, 10));
    EXPECT_FALSE(commands.setColumnWidth(2, -1));
}

}  // namespace
}  // namespace veltrano::grid
