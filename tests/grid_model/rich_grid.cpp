#include "rich_grid.h"

#include <gtest/gtest.h>

#include <vector>

#include "column_type_builder.h"

namespace veltrano::grid::testing {

GridModel makeRichGrid(PictureCodec& codec) {
    GridModel grid;
    grid.setDefaultRowHeight(21);
    grid.setDefaultColumnWidth(55);
    grid.setRowCount(12);
    grid.setColumnCount(7);
    grid.setFixedRowCount(2);
    grid.setFixedColumnCount(1);
    for (std::int32_t row = 0; row < 12; ++row) {
        grid.setRowHeight(row, 18 + row);
    }
    for (std::int32_t column = 0; column < 7; ++column) {
        grid.setColumnWidth(column, 40 + 10 * column, true);
    }

    GridSettings& settings = grid.settings();
    settings.gridLineColour = 0x101010;
    settings.defaultBackgroundColour = 0xEEEEEE;
    settings.defaultTextColour = 0x202020;
    settings.focusFrameColour = 0x0000FF;
    settings.gridLines = 1;
    settings.rowsResizable = false;
    settings.columnsResizable = false;
    settings.editable = false;
    settings.printDialog = false;
    settings.selectionAllowed = false;
    settings.storedOption = false;
    settings.alternate = AlternateColouring{true, false, 0x303030, 0x404040};
    settings.textSetting = "\xB1\xED\xB8\xF1 title";
    settings.faceNameSetting = "\xCB\xCE\xCC\xE5";
    settings.intSettings = {-1, 0x7FFFFFFF, 5};
    settings.pageLayout = {10, 11, 12, 13, 14, 15, 16};

    grid.addColumnType(testing::TypeOf(1, ColumnKind::Number).decimals(2));
    grid.addColumnType(testing::TypeOf(2, ColumnKind::UnitNumber).unit("kg").decimals(1));
    grid.addColumnType(testing::TypeOf(3, ColumnKind::CheckBox));
    grid.addColumnType(testing::TypeOf(4, ColumnKind::Picture).option(205));
    grid.addColumnType(testing::TypeOf(5, ColumnKind::EditableList).items({"red", "\xC2\xCC"}));
    grid.addColumnType(testing::TypeOf(6, ColumnKind::DropDownList).items({"x", "y", "z"}));
    grid.addColumnType(testing::TypeOf(0, ColumnKind::Date).second("yyyy-MM-dd"));

    grid.addMerge(MergeRecord{0, 1, 0, 1, 0, 2});
    grid.addMerge(MergeRecord{2, 0, 2, 0, 5, 0});
    grid.addMerge(MergeRecord{6, 5, 6, 5, 7, 6});

    grid.setText(0, 1, "Amount", false);
    grid.setText(0, 3, "Done", false);
    grid.setText(2, 0, "2024-01-31", false);
    grid.setText(2, 1, "12.5", false);
    grid.setText(3, 1, "-0.25", false);
    grid.setText(2, 2, "3", false);
    grid.setCheckState(2, 3, 1);
    grid.setCheckState(4, 3, 7);
    const std::vector<std::uint8_t> pictureBytes{0x89, 'P', 'N', 'G', 0, 1, 2, 3};
    grid.setPicture(2, 4, codec.fromBytes(pictureBytes));
    grid.setPicture(3, 4, codec.fromBytes(std::vector<std::uint8_t>(300, 0xAB)));
    // Check boxes and pictures come from edits, which mark their cells
    // modified; loading a file marks them the same way.
    for (const CellAddress edited : {CellAddress{2, 3}, CellAddress{4, 3}, CellAddress{2, 4}, CellAddress{3, 4}}) {
        grid.setState(edited.row, edited.column, kStateModified);
    }
    grid.setText(2, 5, "\xC2\xCC", false);
    grid.setText(6, 5, "merged", false);
    grid.setText(8, 6, "y", false);
    grid.setText(9, 6, std::string(600, 'L'), false);

    LogFont bold = grid.gridFont();
    bold.setFaceName("\xBA\xDA\xCC\xE5");
    bold.setHeight(-14);
    bold.setWeight(700);
    bold.setCharSet(134);
    grid.setFont(2, 1, bold);
    LogFont struck = grid.gridFont();
    struck.setStrikeOut(1);
    struck.setUnderline(1);
    grid.setFont(10, 6, struck);

    grid.setBackgroundColour(3, 2, 0x00FF00);
    grid.setTextColour(3, 2, 0x0000FF);
    grid.setFormat(4, 1, 0x826);
    grid.setFormat(0, 0, 0x815);
    grid.setAttributeB(5, 5, -3);
    grid.setMargin(5, 6, 0);
    grid.setMasked(7, 1, 1);
    grid.setState(8, 2, kStateSelected | kStateReadOnly);
    grid.setState(9, 2, kStateFixed);

    grid.addFormulaRule(FormulaRule{1, 2, FormulaOperator::Multiply, 1});
    grid.addFormulaRule(FormulaRule{2, 2, FormulaOperator::Divide, 2});
    grid.addTotalRule(TotalRule{1, {2, 3, 4}});
    grid.addTotalRule(TotalRule{-5, {0, 0, -1}});
    return grid;
}

void expectSameFileContent(const GridModel& expected, const GridModel& actual, PictureCodec& codec) {
    ASSERT_EQ(actual.rowCount(), expected.rowCount());
    ASSERT_EQ(actual.columnCount(), expected.columnCount());
    EXPECT_EQ(actual.fixedRowCount(), expected.fixedRowCount());
    EXPECT_EQ(actual.fixedColumnCount(), expected.fixedColumnCount());
    EXPECT_EQ(actual.defaultRowHeight(), expected.defaultRowHeight());
    EXPECT_EQ(actual.defaultColumnWidth(), expected.defaultColumnWidth());
    EXPECT_EQ(actual.settings(), expected.settings());
    EXPECT_EQ(actual.columnTypes(), expected.columnTypes());
    EXPECT_EQ(actual.merges(), expected.merges());
    EXPECT_EQ(actual.formulaRules(), expected.formulaRules());
    EXPECT_EQ(actual.totalRules(), expected.totalRules());
    for (std::int32_t row = 0; row < expected.rowCount(); ++row) {
        EXPECT_EQ(actual.rowHeight(row), expected.rowHeight(row)) << "row " << row;
    }
    for (std::int32_t column = 0; column < expected.columnCount(); ++column) {
        EXPECT_EQ(actual.columnWidth(column), expected.columnWidth(column)) << "column " << column;
    }
    for (std::int32_t row = 0; row < expected.rowCount(); ++row) {
        for (std::int32_t column = 0; column < expected.columnCount(); ++column) {
            SCOPED_TRACE(::testing::Message() << "cell (" << row << ", " << column << ")");
            const Cell& want = *expected.cell(row, column);
            const Cell& got = *actual.cell(row, column);
            EXPECT_EQ(got.text, want.text);
            EXPECT_EQ(got.checkState, want.checkState);
            EXPECT_EQ(got.state, want.state);
            EXPECT_EQ(got.format, want.format);
            EXPECT_EQ(got.backgroundColour, want.backgroundColour);
            EXPECT_EQ(got.textColour, want.textColour);
            EXPECT_EQ(got.attributeB(), want.attributeB());
            EXPECT_EQ(got.margin(), want.margin());
            EXPECT_EQ(got.masked(), want.masked());
            EXPECT_EQ(got.mergeAnchor(), want.mergeAnchor());
            EXPECT_TRUE(sameFont(got.font(), want.font()));
            EXPECT_EQ(got.font(), want.font());
            ASSERT_EQ(got.picture() == nullptr, want.picture() == nullptr);
            if (want.picture()) {
                EXPECT_EQ(codec.toBytes(*got.picture()), codec.toBytes(*want.picture()));
            }
            EXPECT_EQ(actual.isSelected(row, column), expected.isSelected(row, column));
        }
    }
}

}  // namespace veltrano::grid::testing
