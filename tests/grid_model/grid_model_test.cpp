#include "grid/model/grid_model.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "column_type_builder.h"
#include "grid/model/byte_picture_codec.h"

namespace veltrano::grid {
namespace {

class GridModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        grid.setRowCount(6);
        grid.setColumnCount(4);
        grid.setFixedRowCount(1);
        grid.setFixedColumnCount(1);
        grid.setModified(false);
    }

    GridModel grid;
};

TEST_F(GridModelTest, NewCellsCarryTheirDefaults) {
    const Cell* cell = grid.cell(3, 2);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->state, 0u);
    EXPECT_EQ(cell->format, 0x824u);
    EXPECT_EQ(cell->text, "");
    EXPECT_EQ(cell->imageIndex(), -1);
    EXPECT_EQ(cell->picture(), nullptr);
    EXPECT_EQ(cell->checkState, 0);
    EXPECT_EQ(cell->masked(), 0);
    EXPECT_EQ(cell->mergeAnchor(), 0);
    EXPECT_EQ(cell->attributeB(), 0);
    EXPECT_EQ(cell->backgroundColour, 0xFF000000u);
    EXPECT_EQ(cell->textColour, 0xFF000000u);
    EXPECT_EQ(cell->margin(), 9);
    EXPECT_EQ(grid.rowHeight(5), 10);
    EXPECT_EQ(grid.columnWidth(3), 30);
}

TEST_F(GridModelTest, OperationsOutsideTheGridDoNothingAndReportFalse) {
    const CellAddress outside[] = {{-1, 0}, {6, 0}, {0, 4}, {0, -1}, {6, 4}};
    for (const CellAddress at : outside) {
        SCOPED_TRACE(::testing::Message() << "row " << at.row << " column " << at.column);
        EXPECT_EQ(grid.cell(at.row, at.column), nullptr);
        EXPECT_FALSE(grid.setText(at.row, at.column, "x", true));
        EXPECT_FALSE(grid.setPicture(at.row, at.column, std::make_shared<BytePicture>(std::vector<std::uint8_t>{1})));
        EXPECT_FALSE(grid.setCheckState(at.row, at.column, 1));
        EXPECT_FALSE(grid.setFormat(at.row, at.column, 0x825));
        EXPECT_FALSE(grid.setBackgroundColour(at.row, at.column, 0xFF));
        EXPECT_FALSE(grid.setTextColour(at.row, at.column, 0xFF));
        EXPECT_FALSE(grid.setFont(at.row, at.column, LogFont{}));
        EXPECT_FALSE(grid.setState(at.row, at.column, kStateSelected));
        EXPECT_FALSE(grid.setMergeAnchor(at.row, at.column, 1));
        EXPECT_FALSE(grid.setAttributeB(at.row, at.column, 5));
        EXPECT_FALSE(grid.setMasked(at.row, at.column, 1));
        EXPECT_FALSE(grid.setMargin(at.row, at.column, 3));
    }
    EXPECT_FALSE(grid.setRowHeight(6, 20));
    EXPECT_FALSE(grid.setColumnWidth(4, 20, true));
    EXPECT_FALSE(grid.modified());
    EXPECT_EQ(grid.selectedCount(), 0u);
}

TEST_F(GridModelTest, ColumnWithoutTypeBehavesAsPlainText) {
    EXPECT_EQ(grid.columnKind(2), ColumnKind::PlainText);
    EXPECT_FALSE(grid.isNumericColumn(2));
    ASSERT_TRUE(grid.setText(2, 2, "0012.500", true));
    EXPECT_EQ(grid.cell(2, 2)->text, "0012.500");
}

TEST_F(GridModelTest, FirstTypeOfAColumnApplies) {
    grid.addColumnType(testing::TypeOf(2, ColumnKind::Number).decimals(1));
    grid.addColumnType(testing::TypeOf(2, ColumnKind::CheckBox));
    EXPECT_EQ(grid.columnKind(2), ColumnKind::Number);
    ASSERT_TRUE(grid.setText(2, 2, "3.14159", false));
    EXPECT_EQ(grid.cell(2, 2)->text, "3.1");
}

TEST_F(GridModelTest, NumericTextsAreFormattedOutsideFixedRowsOnly) {
    grid.addColumnType(testing::TypeOf(2, ColumnKind::UnitNumber).unit("kg").decimals(2));
    grid.setText(0, 2, "7.5", false);
    grid.setText(3, 2, "7.5", false);
    grid.setText(4, 2, "-1e3", false);
    grid.setText(5, 2, "", false);
    EXPECT_EQ(grid.cell(0, 2)->text, "7.5");
    EXPECT_EQ(grid.cell(3, 2)->text, "7.50");
    EXPECT_EQ(grid.cell(4, 2)->text, "-1000.00");
    EXPECT_EQ(grid.cell(5, 2)->text, "");
    EXPECT_EQ(grid.unitText(2), "kg");

    grid.settings().showZeroValues = false;
    grid.setText(3, 2, "0", false);
    EXPECT_EQ(grid.cell(3, 2)->text, "");
    grid.settings().showZeroValues = true;
    grid.setText(3, 2, "0", false);
    EXPECT_EQ(grid.cell(3, 2)->text, "0.00");
}

TEST_F(GridModelTest, DecimalsOutsideZeroToNineLeaveTextsAlone) {
    grid.addColumnType(testing::TypeOf(1, ColumnKind::Number).decimals(10));
    grid.addColumnType(testing::TypeOf(2, ColumnKind::Number).decimals(-1));
    grid.setText(2, 1, "1.5", false);
    grid.setText(2, 2, "1.5", false);
    EXPECT_EQ(grid.cell(2, 1)->text, "1.5");
    EXPECT_EQ(grid.cell(2, 2)->text, "1.5");
}

TEST_F(GridModelTest, UnitTextBelongsToUnitNumberColumnsOnly) {
    grid.addColumnType(testing::TypeOf(2, ColumnKind::Number).unit("kg"));
    EXPECT_EQ(grid.unitText(2), "");
}

TEST_F(GridModelTest, ChangesMarkTheCellOnlyInsideRowAndColumnZero) {
    grid.setText(0, 2, "header", false);
    EXPECT_TRUE(grid.modified());
    EXPECT_EQ(grid.cell(0, 2)->state & kStateModified, 0u);
    grid.setMargin(3, 0, 4);
    EXPECT_EQ(grid.cell(3, 0)->state & kStateModified, 0u);
    grid.setAttributeB(2, 3, 1);
    EXPECT_EQ(grid.cell(2, 3)->state & kStateModified, kStateModified);
    grid.setFormat(4, 3, 0x825);
    EXPECT_EQ(grid.cell(4, 3)->state & kStateModified, 0u);
}

TEST_F(GridModelTest, SelectedCellMapFollowsTheSelectedBit) {
    grid.setState(2, 3, kStateSelected | kStateReadOnly);
    EXPECT_TRUE(grid.isSelected(2, 3));
    EXPECT_EQ(grid.selectedCount(), 1u);
    grid.setState(2, 3, kStateReadOnly);
    EXPECT_FALSE(grid.isSelected(2, 3));
    EXPECT_EQ(grid.selectedCount(), 0u);

    ASSERT_TRUE(grid.selectRange(1, 1, 2, 2));
    EXPECT_EQ(grid.selectedCount(), 4u);
    grid.setFocusCell({1, 1});
    grid.clearSelection();
    EXPECT_EQ(grid.selectedCount(), 0u);
    EXPECT_EQ(grid.cell(2, 2)->state, 0u);
    EXPECT_EQ(grid.cell(1, 1)->state, 0u);
    EXPECT_EQ(grid.focusCell(), kNoCell);
}

TEST_F(GridModelTest, SelectionKeysOfRowsSixtyFiveThousandApartStayApart) {
    GridModel tall;
    ASSERT_TRUE(tall.setColumnCount(1));
    ASSERT_TRUE(tall.setRowCount(0x10001));
    EXPECT_EQ(selectionKey({0, 0}), selectionKey({0x10000, 0}));
    tall.setState(0, 0, kStateSelected);
    tall.setState(0x10000, 0, kStateSelected);
    EXPECT_EQ(tall.selectedCount(), 2u);
    tall.setState(0, 0, 0);
    EXPECT_TRUE(tall.isSelected(0x10000, 0));
    EXPECT_FALSE(tall.isSelected(0, 0));
    tall.clearSelection();
    EXPECT_EQ(tall.cell(0x10000, 0)->state, 0u);
}

TEST_F(GridModelTest, AlternateColouringByRowsSkipsTwoFixedRows) {
    grid.setFixedRowCount(2);
    grid.setAlternateColouring(AlternateColouring{true, true, 0x111111, 0x222222});
    for (std::int32_t column = 1; column < 4; ++column) {
        EXPECT_EQ(grid.cell(0, column)->backgroundColour, kDefaultColour);
        EXPECT_EQ(grid.cell(1, column)->backgroundColour, kDefaultColour);
        EXPECT_EQ(grid.cell(2, column)->backgroundColour, 0x222222u);
        EXPECT_EQ(grid.cell(3, column)->backgroundColour, 0x111111u);
        EXPECT_EQ(grid.cell(4, column)->backgroundColour, 0x222222u);
        EXPECT_EQ(grid.cell(5, column)->backgroundColour, 0x111111u);
    }
    EXPECT_EQ(grid.cell(3, 0)->backgroundColour, kDefaultColour);

    grid.setRowCount(8);
    EXPECT_EQ(grid.cell(6, 2)->backgroundColour, 0x222222u);
    EXPECT_EQ(grid.cell(7, 2)->backgroundColour, 0x111111u);
}

TEST_F(GridModelTest, AlternateColouringByColumnsUsesTheColumnIndex) {
    grid.setAlternateColouring(AlternateColouring{true, false, 0x111111, 0x222222});
    EXPECT_EQ(grid.cell(3, 1)->backgroundColour, 0x111111u);
    EXPECT_EQ(grid.cell(3, 2)->backgroundColour, 0x222222u);
    EXPECT_EQ(grid.cell(4, 3)->backgroundColour, 0x111111u);
    EXPECT_EQ(grid.cell(4, 0)->backgroundColour, kDefaultColour);
}

TEST_F(GridModelTest, ColumnWidthBelowTheMinimumIsRaisedUnlessForced) {
    grid.settings().gridLineWidth = 2;
    EXPECT_EQ(grid.minimumColumnWidth(), 8);
    ASSERT_TRUE(grid.setColumnWidth(1, 3, false));
    EXPECT_EQ(grid.columnWidth(1), 8);
    ASSERT_TRUE(grid.setColumnWidth(1, 3, true));
    EXPECT_EQ(grid.columnWidth(1), 3);
    EXPECT_FALSE(grid.setColumnWidth(1, -1, true));
    EXPECT_EQ(grid.columnWidth(1), 3);
}

TEST_F(GridModelTest, ResizingKeepsCellsAtTheirAddresses) {
    grid.setText(2, 1, "b", false);
    grid.setText(5, 3, "corner", false);
    ASSERT_TRUE(grid.setColumnCount(6));
    EXPECT_EQ(grid.cell(2, 1)->text, "b");
    EXPECT_EQ(grid.cell(5, 3)->text, "corner");
    EXPECT_EQ(grid.columnWidth(5), 30);
    ASSERT_TRUE(grid.setColumnCount(2));
    EXPECT_EQ(grid.cell(2, 1)->text, "b");
    EXPECT_EQ(grid.cell(5, 3), nullptr);
    ASSERT_TRUE(grid.setColumnCount(4));
    EXPECT_EQ(grid.cell(5, 3)->text, "");
}

TEST_F(GridModelTest, CellsDroppedByShrinkingReleaseTheirPictures) {
    const auto picture = std::make_shared<BytePicture>(std::vector<std::uint8_t>{1, 2, 3});
    grid.setPicture(5, 3, picture);
    grid.setPicture(2, 3, picture);
    EXPECT_EQ(picture.use_count(), 3);
    ASSERT_TRUE(grid.setRowCount(4));
    EXPECT_EQ(picture.use_count(), 2);
    ASSERT_TRUE(grid.setColumnCount(3));
    EXPECT_EQ(picture.use_count(), 1);
}

TEST_F(GridModelTest, CellsMadeAgainAfterShrinkingStartFromTheDefaultCell) {
    for (std::int32_t column = 0; column < 4; ++column) {
        grid.setText(5, column, "old", false);
        grid.setBackgroundColour(5, column, 0x123456);
    }
    ASSERT_TRUE(grid.setRowCount(5));
    grid.setText(1, 1, "kept", false);
    ASSERT_TRUE(grid.setRowCount(6));
    for (std::int32_t column = 0; column < 4; ++column) {
        grid.setCheckState(5, column, 1);
        EXPECT_EQ(grid.cell(5, column)->text, "");
        EXPECT_EQ(grid.cell(5, column)->backgroundColour, kDefaultColour);
    }
    EXPECT_EQ(grid.cell(1, 1)->text, "kept");
}

TEST(GridModelCellsTest, ACellStaysWhereItIsWhileThousandsMoreAreMade) {
    GridModel grid;
    ASSERT_TRUE(grid.setRowCount(3000));
    ASSERT_TRUE(grid.setColumnCount(3));
    grid.setText(0, 0, "first cell, with a text too long to sit inside the string", false);
    const Cell* first = grid.cell(0, 0);
    for (std::int32_t row = 1; row < 3000; ++row) {
        grid.setText(row, 1, std::to_string(row), false);
    }
    EXPECT_EQ(grid.cell(0, 0), first);
    EXPECT_EQ(first->text, "first cell, with a text too long to sit inside the string");
    GridModel moved = std::move(grid);
    EXPECT_EQ(moved.cell(0, 0), first);
    EXPECT_EQ(moved.cell(2999, 1)->text, "2999");
}

TEST_F(GridModelTest, ShrinkingDropsMergesThatNoLongerFit) {
    grid.addMerge(MergeRecord{1, 1, 1, 1, 2, 2});
    grid.addMerge(MergeRecord{3, 1, 3, 1, 5, 1});
    EXPECT_EQ(grid.cell(4, 1)->state, kStateCovered);
    ASSERT_TRUE(grid.setRowCount(4));
    ASSERT_EQ(grid.merges().size(), 1u);
    EXPECT_EQ(grid.merges()[0].anchorRow, 1);
    EXPECT_EQ(grid.cell(3, 1)->mergeAnchor(), 0);
    EXPECT_EQ(grid.cell(2, 2)->state & kStateCovered, kStateCovered);
}

TEST_F(GridModelTest, FixedCountsBeyondTheGridGrowIt) {
    ASSERT_TRUE(grid.setFixedRowCount(9));
    EXPECT_EQ(grid.rowCount(), 9);
    ASSERT_TRUE(grid.setRowCount(3));
    EXPECT_EQ(grid.fixedRowCount(), 3);
    EXPECT_FALSE(grid.setFixedColumnCount(-1));
}

TEST_F(GridModelTest, GridsBeyondTheCellLimitAreRefused) {
    EXPECT_FALSE(grid.setRowCount(GridModel::kMaxDimension));
    EXPECT_FALSE(grid.setRowCount(-1));
    EXPECT_EQ(grid.rowCount(), 6);
    GridModel wide;
    EXPECT_TRUE(wide.setColumnCount(GridModel::kMaxDimension));
    EXPECT_FALSE(wide.setRowCount(2));
}

TEST_F(GridModelTest, GridFontSetsDefaultSizesAndFollowingCells) {
    LogFont bold;
    bold.setFaceName("Bold");
    bold.setWeight(700);
    grid.setFont(2, 2, bold);
    grid.setText(3, 3, "kept in the grid font", false);

    LogFont song;
    song.setFaceName("Song");
    song.setHeight(-12);
    grid.setGridFont(song, FontMetrics{2, 16, 4, 7});
    EXPECT_EQ(grid.defaultRowHeight(), 2 + 16 / 4 + 16);
    EXPECT_EQ(grid.defaultColumnWidth(), 2 * (4 + 6 * 7));
    EXPECT_EQ(grid.cell(3, 3)->font(), song);
    EXPECT_EQ(grid.cell(1, 1)->font(), song);
    EXPECT_EQ(grid.cell(2, 2)->font(), bold);
}

TEST_F(GridModelTest, EmptyLikeKeepsSettingsButNoContent) {
    grid.settings().textSetting = "carried";
    grid.settings().showZeroValues = false;
    grid.addColumnType(testing::TypeOf(1, ColumnKind::Date));
    grid.addFormulaRule(FormulaRule{1, 2, FormulaOperator::Add, 3});
    grid.setText(2, 2, "x", false);
    const GridModel fresh = grid.emptyLike();
    EXPECT_EQ(fresh.rowCount(), 0);
    EXPECT_EQ(fresh.columnCount(), 0);
    EXPECT_TRUE(fresh.columnTypes().empty());
    EXPECT_TRUE(fresh.formulaRules().empty());
    EXPECT_EQ(fresh.settings(), grid.settings());
    EXPECT_TRUE(fresh.modified());
}

TEST(LogFontTest, FieldsSitAtTheirByteOffsets) {
    LogFont font;
    font.setHeight(-16);
    font.setWeight(700);
    font.setItalic(1);
    font.setStrikeOut(1);
    font.setFaceName("Face");
    const auto& bytes = font.bytes();
    EXPECT_EQ(bytes[0], 0xF0);
    EXPECT_EQ(bytes[3], 0xFF);
    EXPECT_EQ(bytes[16], 0xBC);
    EXPECT_EQ(bytes[17], 0x02);
    EXPECT_EQ(bytes[20], 1);
    EXPECT_EQ(bytes[22], 1);
    EXPECT_EQ(bytes[28], 'F');
    EXPECT_EQ(bytes[31], 'e');
    EXPECT_EQ(bytes[32], 0);
    EXPECT_FALSE(LogFont::fromBytes(std::vector<std::uint8_t>(59)).has_value());
    EXPECT_EQ(LogFont::fromBytes(bytes)->faceName(), "Face");
}

TEST(LogFontTest, SameFontIgnoresWidthAndCharacterSet) {
    LogFont a;
    a.setFaceName("Face");
    a.setHeight(12);
    LogFont b = a;
    b.setWidth(5);
    b.setCharSet(134);
    EXPECT_TRUE(sameFont(a, b));
    b.setUnderline(1);
    EXPECT_FALSE(sameFont(a, b));
    LogFont c = a;
    c.setFaceName("Other");
    EXPECT_FALSE(sameFont(a, c));
}

TEST(LogFontTest, ChangingACopyLeavesTheOriginalAlone) {
    LogFont original;
    original.setFaceName("Song");
    original.setHeight(-12);
    LogFont copy = original;
    EXPECT_EQ(copy, original);
    copy.setHeight(-16);
    copy.setItalic(1);
    EXPECT_EQ(original.height(), -12);
    EXPECT_EQ(original.italic(), 0);
    EXPECT_EQ(copy.height(), -16);
    EXPECT_EQ(copy.faceName(), "Song");
    EXPECT_NE(copy, original);
}

TEST(LogFontTest, AnUntouchedFontEqualsOneWrittenWithZeros) {
    const LogFont untouched;
    const std::array<std::uint8_t, LogFont::kSize> zeros{};
    const std::optional<LogFont> read = LogFont::fromBytes(zeros);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(*read, untouched);
    EXPECT_TRUE(sameFont(*read, untouched));
    EXPECT_EQ(untouched.bytes(), zeros);
    EXPECT_EQ(untouched.faceName(), "");
}

TEST(LogFontTest, LongFaceNamesKeepATerminatingNul) {
    LogFont font;
    font.setFaceName(std::string(40, 'x'));
    EXPECT_EQ(font.faceName(), std::string(31, 'x'));
    EXPECT_EQ(font.bytes()[59], 0);
}

}  // namespace
}  // namespace veltrano::grid
