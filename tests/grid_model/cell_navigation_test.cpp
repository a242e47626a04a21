#include "grid/model/cell_navigation.h"

#include <gtest/gtest.h>

#include <optional>

namespace veltrano::grid {
namespace {

// 8 rows, 6 columns, one fixed row and one fixed column: scrolled cells
// run from (1, 1) to (7, 5).
class CellNavigationTest : public ::testing::Test {
protected:
    void SetUp() override {
        grid.setRowCount(8);
        grid.setColumnCount(6);
        grid.setFixedRowCount(1);
        grid.setFixedColumnCount(1);
    }

    std::optional<CellAddress> target(CellAddress focus, NavigationKey key, bool shift = false, bool control = false,
                                      std::int32_t pagedRows = 0) {
        const std::optional<FocusMove> move =
            navigationTarget(grid, focus, NavigationRequest{key, shift, control, pagedRows}, rules);
        if (!move) return std::nullopt;
        return move->target;
    }

    bool extends(CellAddress focus, NavigationKey key, bool shift) {
        const std::optional<FocusMove> move = navigationTarget(grid, focus, NavigationRequest{key, shift}, rules);
        return move && move->extendSelection;
    }

    GridModel grid;
    NavigationRules rules;
};

TEST_F(CellNavigationTest, NextColumnAndRowSkipHiddenOnesAndStopAtTheFixedOnesAndTheEdge) {
    grid.setColumnWidth(2, 0, true);
    grid.setRowHeight(3, 0);
    EXPECT_EQ(nextColumn(grid, 1, Step::Forward), 3);
    EXPECT_EQ(nextColumn(grid, 3, Step::Back), 1);
    EXPECT_EQ(nextColumn(grid, 1, Step::Back), -1);
    EXPECT_EQ(nextColumn(grid, 5, Step::Forward), -1);
    EXPECT_EQ(nextRow(grid, 2, Step::Forward), 4);
    EXPECT_EQ(nextRow(grid, 1, Step::Back), -1);
    EXPECT_EQ(nextRow(grid, 7, Step::Forward), -1);
}

TEST_F(CellNavigationTest, SearchesMayStartJustOutsideTheGrid) {
    grid.setRowHeight(7, 0);
    grid.setColumnWidth(5, 0, true);
    EXPECT_EQ(nextRow(grid, grid.rowCount(), Step::Back), 6);
    EXPECT_EQ(nextRow(grid, grid.fixedRowCount() - 1, Step::Forward), 1);
    EXPECT_EQ(firstScrolledColumn(grid), 1);
    EXPECT_EQ(lastScrolledColumn(grid), 4);
}

TEST_F(CellNavigationTest, WithEveryScrolledColumnHiddenThereIsNoFirstOrLastOne) {
    for (std::int32_t column = 1; column < grid.columnCount(); ++column) grid.setColumnWidth(column, 0, true);
    EXPECT_EQ(firstScrolledColumn(grid), -1);
    EXPECT_EQ(lastScrolledColumn(grid), -1);
    EXPECT_FALSE(target({2, 0}, NavigationKey::Home));
    EXPECT_FALSE(target({2, 0}, NavigationKey::Tab));
}

TEST_F(CellNavigationTest, FarCornerAndAnchorFollowAMergedRange) {
    grid.addMerge(MergeRecord{2, 2, 2, 2, 3, 4});
    EXPECT_EQ(farCorner(grid, {2, 2}), (CellAddress{3, 4}));
    EXPECT_EQ(farCorner(grid, {3, 3}), (CellAddress{3, 3}));
    EXPECT_EQ(farCorner(grid, {5, 5}), (CellAddress{5, 5}));
    EXPECT_EQ(anchorOf(grid, {3, 4}), (CellAddress{2, 2}));
    EXPECT_EQ(anchorOf(grid, {2, 2}), (CellAddress{2, 2}));
    EXPECT_EQ(anchorOf(grid, {4, 4}), (CellAddress{4, 4}));
    EXPECT_EQ(anchorOf(grid, {-1, 9}), (CellAddress{-1, 9}));
}

TEST_F(CellNavigationTest, ArrowsMoveOneShownCellAndStopAtTheScrolledEdges) {
    grid.setColumnWidth(3, 0, true);
    EXPECT_EQ(target({2, 2}, NavigationKey::Right), (CellAddress{2, 4}));
    EXPECT_EQ(target({2, 4}, NavigationKey::Left), (CellAddress{2, 2}));
    EXPECT_EQ(target({2, 2}, NavigationKey::Up), (CellAddress{1, 2}));
    EXPECT_EQ(target({2, 2}, NavigationKey::Down), (CellAddress{3, 2}));
    EXPECT_FALSE(target({2, 1}, NavigationKey::Left));
    EXPECT_FALSE(target({2, 5}, NavigationKey::Right));
    EXPECT_FALSE(target({1, 2}, NavigationKey::Up));
    EXPECT_FALSE(target({7, 2}, NavigationKey::Down));
}

TEST_F(CellNavigationTest, AFocusInAFixedRowOrColumnMovesIntoTheScrolledCells) {
    EXPECT_EQ(target({0, 2}, NavigationKey::Down), (CellAddress{1, 2}));
    EXPECT_EQ(target({2, 0}, NavigationKey::Right), (CellAddress{2, 1}));
    EXPECT_FALSE(target({0, 2}, NavigationKey::Up));
    EXPECT_FALSE(target({2, 0}, NavigationKey::Left));
}

TEST_F(CellNavigationTest, RightAndDownLeaveAMergedRangeAtItsFarSide) {
    grid.addMerge(MergeRecord{2, 2, 2, 2, 3, 4});
    EXPECT_EQ(target({2, 2}, NavigationKey::Right), (CellAddress{2, 5}));
    EXPECT_EQ(target({2, 2}, NavigationKey::Down), (CellAddress{4, 2}));
    EXPECT_EQ(target({2, 2}, NavigationKey::Left), (CellAddress{2, 1}));
    EXPECT_EQ(target({2, 2}, NavigationKey::Up), (CellAddress{1, 2}));
}

TEST_F(CellNavigationTest, ShiftExtendsTheSelectionForEveryKeyButTab) {
    EXPECT_TRUE(extends({2, 2}, NavigationKey::Right, true));
    EXPECT_FALSE(extends({2, 2}, NavigationKey::Right, false));
    EXPECT_TRUE(extends({2, 2}, NavigationKey::Home, true));
    EXPECT_FALSE(extends({2, 2}, NavigationKey::Tab, true));
}

TEST_F(CellNavigationTest, TabWrapsAtTheLastColumnAndStopsAtTheLastCell) {
    grid.setColumnWidth(1, 0, true);
    EXPECT_EQ(target({2, 3}, NavigationKey::Tab), (CellAddress{2, 4}));
    EXPECT_EQ(target({2, 5}, NavigationKey::Tab), (CellAddress{3, 2}));
    EXPECT_FALSE(target({7, 5}, NavigationKey::Tab));
}

TEST_F(CellNavigationTest, ShiftTabWrapsBackToTheLastColumnOfTheRowAbove) {
    grid.setColumnWidth(5, 0, true);
    EXPECT_EQ(target({3, 2}, NavigationKey::Tab, true), (CellAddress{3, 1}));
    EXPECT_EQ(target({3, 1}, NavigationKey::Tab, true), (CellAddress{2, 4}));
    EXPECT_FALSE(target({1, 1}, NavigationKey::Tab, true));
}

TEST_F(CellNavigationTest, TabFromAMergedAnchorSkipsTheRangesColumns) {
    grid.addMerge(MergeRecord{2, 2, 2, 2, 2, 5});
    EXPECT_EQ(target({2, 2}, NavigationKey::Tab), (CellAddress{3, 1}));
}

TEST_F(CellNavigationTest, WholeRowSelectionKeepsOnlyTheVerticalAndPageKeys) {
    rules.wholeRowSelection = true;
    rules.enterMode = kEnterMovesDown;
    for (const NavigationKey key :
         {NavigationKey::Tab, NavigationKey::Enter, NavigationKey::Left, NavigationKey::Right}) {
        EXPECT_FALSE(target({3, 2}, key)) << static_cast<int>(key);
    }
    EXPECT_EQ(target({3, 2}, NavigationKey::Down), (CellAddress{4, 2}));
    EXPECT_EQ(target({3, 2}, NavigationKey::Up), (CellAddress{2, 2}));
    EXPECT_EQ(target({3, 2}, NavigationKey::PageDown, false, false, 2), (CellAddress{5, 2}));
    EXPECT_EQ(target({3, 2}, NavigationKey::End), (CellAddress{3, 5}));
}

TEST_F(CellNavigationTest, EnterStaysUnlessItsModeMovesTheFocus) {
    for (const std::int32_t mode : {0, 3, -1}) {
        rules.enterMode = mode;
        EXPECT_FALSE(target({3, 2}, NavigationKey::Enter)) << mode;
    }
}

TEST_F(CellNavigationTest, EnterAcrossMovesLikeTabButExtendsWithShift) {
    rules.enterMode = kEnterMovesAcross;
    EXPECT_EQ(target({3, 2}, NavigationKey::Enter), (CellAddress{3, 3}));
    EXPECT_EQ(target({3, 5}, NavigationKey::Enter), (CellAddress{4, 1}));
    EXPECT_FALSE(target({7, 5}, NavigationKey::Enter));
    EXPECT_TRUE(extends({3, 2}, NavigationKey::Enter, true));
}

TEST_F(CellNavigationTest, EnterDownGoesBelowAMergedRangeThenToTheTopOfTheNextColumn) {
    rules.enterMode = kEnterMovesDown;
    grid.addMerge(MergeRecord{3, 2, 3, 2, 5, 2});
    grid.setRowHeight(1, 0);
    EXPECT_EQ(target({3, 2}, NavigationKey::Enter), (CellAddress{6, 2}));
    EXPECT_EQ(target({7, 2}, NavigationKey::Enter), (CellAddress{2, 3}));
    EXPECT_FALSE(target({7, 5}, NavigationKey::Enter));
}

TEST_F(CellNavigationTest, PageKeysFollowTheScrolledRowsWithinTheScrolledRows) {
    EXPECT_EQ(target({2, 3}, NavigationKey::PageDown, false, false, 3), (CellAddress{5, 3}));
    EXPECT_EQ(target({2, 3}, NavigationKey::PageDown, false, false, 30), (CellAddress{7, 3}));
    EXPECT_EQ(target({4, 3}, NavigationKey::PageUp, false, false, -30), (CellAddress{1, 3}));
    EXPECT_EQ(target({4, 3}, NavigationKey::PageUp, false, false, 0), (CellAddress{4, 3}));
}

TEST_F(CellNavigationTest, APageKeyMayLandOnAHiddenRow) {
    grid.setRowHeight(7, 0);
    EXPECT_EQ(target({2, 3}, NavigationKey::PageDown, false, false, 10), (CellAddress{7, 3}));
}

TEST_F(CellNavigationTest, PageKeysInAGridOfFixedRowsOnlyGoToTheLastRow) {
    grid.setFixedRowCount(8);
    EXPECT_EQ(target({2, 3}, NavigationKey::PageDown, false, false, 4), (CellAddress{7, 3}));
    EXPECT_EQ(target({2, 3}, NavigationKey::PageUp, false, false, -4), (CellAddress{7, 3}));
}

TEST_F(CellNavigationTest, HomeAndEndGoAlongTheRowOrWithControlToTheCorners) {
    grid.setRowHeight(7, 0);
    grid.setColumnWidth(1, 0, true);
    EXPECT_EQ(target({4, 3}, NavigationKey::Home), (CellAddress{4, 2}));
    EXPECT_EQ(target({4, 3}, NavigationKey::End), (CellAddress{4, 5}));
    EXPECT_EQ(target({4, 3}, NavigationKey::Home, false, true), (CellAddress{1, 2}));
    EXPECT_EQ(target({4, 3}, NavigationKey::End, false, true), (CellAddress{6, 5}));
}

TEST_F(CellNavigationTest, NoFocusCellGoesNowhere) {
    rules.enterMode = kEnterMovesAcross;
    for (const NavigationKey key : {NavigationKey::Tab, NavigationKey::Enter, NavigationKey::PageDown,
                                    NavigationKey::Home, NavigationKey::Right, NavigationKey::Down}) {
        EXPECT_FALSE(target(kNoCell, key)) << static_cast<int>(key);
        EXPECT_FALSE(target({8, 1}, key)) << static_cast<int>(key);
    }
}

TEST_F(CellNavigationTest, ASingleCellGridHasNowhereToGo) {
    grid.setFixedRowCount(0);
    grid.setFixedColumnCount(0);
    grid.setRowCount(1);
    grid.setColumnCount(1);
    rules.enterMode = kEnterMovesDown;
    for (const NavigationKey key : {NavigationKey::Tab, NavigationKey::Enter, NavigationKey::Left, NavigationKey::Right,
                                    NavigationKey::Up, NavigationKey::Down}) {
        EXPECT_FALSE(target({0, 0}, key)) << static_cast<int>(key);
    }
    EXPECT_EQ(target({0, 0}, NavigationKey::End, false, true), (CellAddress{0, 0}));
    EXPECT_EQ(target({0, 0}, NavigationKey::PageDown, false, false, 5), (CellAddress{0, 0}));
}

}  // namespace
}  // namespace veltrano::grid
