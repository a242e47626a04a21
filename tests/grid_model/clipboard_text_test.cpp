#include "grid/model/clipboard_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace veltrano::grid {

void PrintTo(const PastedCell& pasted, std::ostream* out) {
    *out << "(" << pasted.cell.row << ", " << pasted.cell.column << ") " << ::testing::PrintToString(pasted.text);
}

namespace {

// 6 rows, 5 columns, one fixed row and one fixed column, each scrolled cell
// holding its own address as text ("r2c3").
class ClipboardCopyTest : public ::testing::Test {
protected:
    void SetUp() override {
        grid.setRowCount(6);
        grid.setColumnCount(5);
        grid.setFixedRowCount(1);
        grid.setFixedColumnCount(1);
        for (std::int32_t row = 0; row < 6; ++row) {
            for (std::int32_t column = 0; column < 5; ++column) {
                grid.setText(row, column, "r" + std::to_string(row) + "c" + std::to_string(column), false);
            }
        }
    }

    // Selects the block as the control does and copies it.
    std::string copy(const CellRange& range) {
        grid.clearSelection();
        grid.selectRange(range.top, range.left, range.bottom, range.right);
        grid.setFocusCell({range.top, range.left});
        return clipboardText(grid, range);
    }

    GridModel grid;
};

TEST_F(ClipboardCopyTest, NoSelectionAndNoFocusCellCopiesNothing) {
    EXPECT_EQ(clipboardText(grid, std::nullopt), "");
}

TEST_F(ClipboardCopyTest, WithoutASelectionTheFocusCellAloneIsCopied) {
    grid.setFocusCell({3, 2});
    EXPECT_EQ(clipboardText(grid, std::nullopt), "r3c2");
}

TEST_F(ClipboardCopyTest, ASingleSelectedCellCopiesAsItsTextWithoutSeparators) {
    EXPECT_EQ(copy({4, 4, 4, 4}), "r4c4");
}

TEST_F(ClipboardCopyTest, RowsEndWithLineBreaksButTheLastAndCellsAreTabSeparated) {
    EXPECT_EQ(copy({1, 2, 2, 4}), "r1c2\tr1c3\tr1c4\r\nr2c2\tr2c3\tr2c4");
}

TEST_F(ClipboardCopyTest, HiddenRowsAndColumnsAreLeftOut) {
    grid.setRowHeight(2, 0);
    grid.setColumnWidth(3, 0, true);
    EXPECT_EQ(copy({1, 2, 3, 4}), "r1c2\tr1c4\r\nr3c2\tr3c4");
}

TEST_F(ClipboardCopyTest, AHiddenLastRowLeavesTheLineBreakOfTheRowAboveIt) {
    grid.setRowHeight(5, 0);
    EXPECT_EQ(copy({4, 1, 5, 2}), "r4c1\tr4c2\r\n");
}

TEST_F(ClipboardCopyTest, ABlockOfHiddenColumnsCopiesEmptyLines) {
    grid.setColumnWidth(1, 0, true);
    grid.setColumnWidth(2, 0, true);
    EXPECT_EQ(copy({1, 1, 3, 2}), "\r\n\r\n");
}

TEST_F(ClipboardCopyTest, UnselectedCellsInTheBlockGiveEmptyFieldsButTheFocusCellGivesItsText) {
    grid.clearSelection();
    grid.selectRange(2, 3, 2, 3);
    grid.setFocusCell({1, 1});
    EXPECT_EQ(clipboardText(grid, CellRange{1, 1, 2, 3}), "r1c1\t\t\r\n\t\tr2c3");
}

TEST_F(ClipboardCopyTest, WithoutSelectingAllowedEveryCellOfTheBlockGivesItsText) {
    grid.settings().selectionAllowed = false;
    grid.clearSelection();
    EXPECT_EQ(clipboardText(grid, CellRange{0, 0, 1, 1}), "r0c0\tr0c1\r\nr1c0\tr1c1");
}

TEST_F(ClipboardCopyTest, TabsLineBreaksAndQuotesInCellsAreCopiedAsTheyStand) {
    grid.setText(1, 1, "a\tb", false);
    grid.setText(1, 2, "say \"hi\"", false);
    grid.setText(2, 1, "two\r\nlines", false);
    grid.setText(2, 2, "", false);
    EXPECT_EQ(copy({1, 1, 2, 2}), "a\tb\tsay \"hi\"\r\ntwo\r\nlines\t");
}

TEST_F(ClipboardCopyTest, ABlockReachingPastTheGridGivesEmptyFieldsThere) {
    grid.settings().selectionAllowed = false;
    EXPECT_EQ(clipboardText(grid, CellRange{5, 4, 6, 5}), "r5c4\t\r\n\t");
}

TEST(ClipboardPasteTest, RowsAndColumnsFillFromTheFirstCell) {
    EXPECT_EQ(pastedCells(L"a\tb\r\nc\td", {2, 1}),
              (std::vector<PastedCell>{{{2, 1}, L"a"}, {{2, 2}, L"b"}, {{3, 1}, L"c"}, {{3, 2}, L"d"}}));
}

TEST(ClipboardPasteTest, AnEmptyTextFillsTheFirstCellWithNothing) {
    EXPECT_EQ(pastedCells(L"", {4, 4}), (std::vector<PastedCell>{{{4, 4}, L""}}));
}

TEST(ClipboardPasteTest, AFinalLineBreakStartsNoNewRowButASecondOneFillsAnEmptyCell) {
    EXPECT_EQ(pastedCells(L"a\r\n", {1, 1}), (std::vector<PastedCell>{{{1, 1}, L"a"}}));
    EXPECT_EQ(pastedCells(L"a\r\n\r\n", {1, 1}), (std::vector<PastedCell>{{{1, 1}, L"a"}, {{2, 1}, L""}}));
    EXPECT_EQ(pastedCells(L"\n", {1, 1}), (std::vector<PastedCell>{{{1, 1}, L""}}));
}

TEST(ClipboardPasteTest, CarriageReturnsAndLineFeedsAloneBreakLinesToo) {
    EXPECT_EQ(pastedCells(L"a\rb\nc\n\rd", {0, 0}),
              (std::vector<PastedCell>{{{0, 0}, L"a"}, {{1, 0}, L"b"}, {{2, 0}, L"c"}, {{3, 0}, L""}, {{4, 0}, L"d"}}));
}

TEST(ClipboardPasteTest, ATrailingTabFillsAnEmptyCellAfterIt) {
    EXPECT_EQ(pastedCells(L"a\t", {1, 1}), (std::vector<PastedCell>{{{1, 1}, L"a"}, {{1, 2}, L""}}));
}

TEST(ClipboardPasteTest, RaggedRowsKeepTheirOwnLengths) {
    EXPECT_EQ(pastedCells(L"a\tb\tc\r\nd\r\ne\tf", {1, 2}),
              (std::vector<PastedCell>{
                  {{1, 2}, L"a"}, {{1, 3}, L"b"}, {{1, 4}, L"c"}, {{2, 2}, L"d"}, {{3, 2}, L"e"}, {{3, 3}, L"f"}}));
}

TEST(ClipboardPasteTest, CellsBeyondTheGridsEdgeAreStillListed) {
    EXPECT_EQ(pastedCells(L"a\tb\r\nc", {5, 4}),
              (std::vector<PastedCell>{{{5, 4}, L"a"}, {{5, 5}, L"b"}, {{6, 4}, L"c"}}));
}

TEST(ClipboardPasteTest, QuotesAndOtherCharactersAreTakenAsTheyStand) {
    EXPECT_EQ(pastedCells(L"\"a\tb\"", {1, 1}), (std::vector<PastedCell>{{{1, 1}, L"\"a"}, {{1, 2}, L"b\""}}));
    const std::wstring withNul(L"x\0y", 3);
    EXPECT_EQ(pastedCells(withNul, {1, 1}), (std::vector<PastedCell>{{{1, 1}, withNul}}));
    EXPECT_EQ(pastedCells(L"\u6295\u5f71 \u4eea", {1, 1}), (std::vector<PastedCell>{{{1, 1}, L"\u6295\u5f71 \u4eea"}}));
}

TEST_F(ClipboardCopyTest, ACopiedBlockPastesBackIntoTheSameShape) {
    const std::string text = copy({2, 1, 4, 3});
    const std::vector<PastedCell> cells = pastedCells(std::wstring(text.begin(), text.end()), {2, 1});
    ASSERT_EQ(cells.size(), 9u);
    for (const PastedCell& pasted : cells) {
        const std::string& original = grid.cell(pasted.cell.row, pasted.cell.column)->text;
        EXPECT_EQ(pasted.text, std::wstring(original.begin(), original.end()));
    }
}

}  // namespace
}  // namespace veltrano::grid
