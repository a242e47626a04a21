#include <gtest/gtest.h>

#include <utility>

#include "column_type_builder.h"
#include "grid/model/grid_model.h"

namespace veltrano::grid {
namespace {

// Columns 1-5 numeric with two decimals, column 6 plain text.
class FormulaTest : public ::testing::Test {
protected:
    void SetUp() override {
        grid.setRowCount(4);
        grid.setColumnCount(7);
        grid.setFixedRowCount(1);
        for (std::int32_t column = 1; column <= 5; ++column) {
            grid.addColumnType(testing::TypeOf(column, ColumnKind::Number).decimals(2));
        }
    }

    const std::string& text(std::int32_t row, std::int32_t column) { return grid.cell(row, column)->text; }

    GridModel grid;
};

TEST_F(FormulaTest, EachOperatorComputesTheTarget) {
    grid.addFormulaRule({1, 2, FormulaOperator::Add, 3});
    grid.addFormulaRule({1, 2, FormulaOperator::Subtract, 4});
    grid.addFormulaRule({1, 2, FormulaOperator::Divide, 5});
    grid.setText(1, 1, "7", true);
    grid.setText(1, 2, "2", true);
    EXPECT_EQ(text(1, 3), "9.00");
    EXPECT_EQ(text(1, 4), "5.00");
    EXPECT_EQ(text(1, 5), "3.50");

    grid.addFormulaRule({1, 2, FormulaOperator::Multiply, 3});
    grid.setText(2, 1, "1.5", true);
    grid.setText(2, 2, "4", true);
    // Rules run in list order: the product overwrites the sum.
    EXPECT_EQ(text(2, 3), "6.00");
}

// What a loaded cell record does: the text as setText takes it, rules run,
// then the check state, on the same cell.
TEST_F(FormulaTest, TextAndCheckStateTogetherActLikeBothSetters) {
    grid.addFormulaRule({1, 2, FormulaOperator::Add, 3});
    GridModel apart;
    apart.setRowCount(4);
    apart.setColumnCount(7);
    apart.setFixedRowCount(1);
    for (std::int32_t column = 1; column <= 5; ++column) {
        apart.addColumnType(testing::TypeOf(column, ColumnKind::Number).decimals(2));
    }
    apart.addFormulaRule({1, 2, FormulaOperator::Add, 3});

    EXPECT_TRUE(grid.setTextAndCheckState(1, 1, "7.5x", 1));
    apart.setText(1, 1, "7.5x", true);
    apart.setCheckState(1, 1, 1);
    EXPECT_TRUE(grid.setTextAndCheckState(0, 6, "head", 0));
    apart.setText(0, 6, "head", true);
    apart.setCheckState(0, 6, 0);
    EXPECT_FALSE(grid.setTextAndCheckState(4, 0, "outside", 1));

    for (const auto& [row, column] : {std::pair{1, 1}, std::pair{1, 3}, std::pair{0, 6}}) {
        SCOPED_TRACE(::testing::Message() << "cell " << row << ", " << column);
        EXPECT_EQ(grid.cell(row, column)->text, apart.cell(row, column)->text);
        EXPECT_EQ(grid.cell(row, column)->checkState, apart.cell(row, column)->checkState);
        EXPECT_EQ(grid.cell(row, column)->state, apart.cell(row, column)->state);
    }
    EXPECT_EQ(text(1, 1), "7.50");
    EXPECT_EQ(text(1, 3), "7.50");
    EXPECT_EQ(grid.cell(1, 1)->checkState, 1);
    EXPECT_NE(grid.cell(1, 1)->state & kStateModified, 0u);
    EXPECT_EQ(grid.cell(0, 6)->state & kStateModified, 0u);
}

TEST_F(FormulaTest, DivisionByZeroGivesZero) {
    grid.addFormulaRule({1, 2, FormulaOperator::Divide, 3});
    grid.setText(1, 1, "5", true);
    EXPECT_EQ(text(1, 3), "0.00");
}

TEST_F(FormulaTest, TwoEmptySourcesEmptyTheTarget) {
    grid.addFormulaRule({1, 2, FormulaOperator::Add, 3});
    grid.setText(1, 1, "5", true);
    ASSERT_EQ(text(1, 3), "5.00");
    grid.setText(1, 1, "", true);
    EXPECT_EQ(text(1, 3), "");
}

TEST_F(FormulaTest, ChangedTargetsFeedFurtherRules) {
    grid.addFormulaRule({1, 2, FormulaOperator::Add, 3});
    grid.addFormulaRule({3, 4, FormulaOperator::Multiply, 5});
    grid.setText(1, 4, "10", true);
    grid.setText(1, 1, "1", true);
    grid.setText(1, 2, "2", true);
    EXPECT_EQ(text(1, 3), "3.00");
    EXPECT_EQ(text(1, 5), "30.00");
}

TEST_F(FormulaTest, WithoutRecalculationNothingFollows) {
    grid.addFormulaRule({1, 2, FormulaOperator::Add, 3});
    grid.setText(1, 1, "1", false);
    EXPECT_EQ(text(1, 3), "");
}

TEST_F(FormulaTest, NonNumericTargetStopsTheRemainingRules) {
    grid.addFormulaRule({1, 2, FormulaOperator::Add, 6});
    grid.addFormulaRule({1, 2, FormulaOperator::Add, 3});
    grid.setText(1, 1, "1", true);
    EXPECT_EQ(text(1, 6), "");
    EXPECT_EQ(text(1, 3), "");
}

TEST_F(FormulaTest, FixedRowsAreNotComputed) {
    grid.addFormulaRule({1, 2, FormulaOperator::Add, 3});
    grid.setText(0, 1, "1", true);
    EXPECT_EQ(text(0, 3), "");
}

TEST_F(FormulaTest, CircularRulesEndAndComputeEachTargetOncePerChain) {
    grid.addFormulaRule({1, 2, FormulaOperator::Add, 3});
    grid.addFormulaRule({3, 2, FormulaOperator::Add, 1});
    grid.setText(1, 2, "1", true);
    grid.setText(1, 1, "5", true);
    EXPECT_EQ(text(1, 3), "6.00");
    EXPECT_EQ(text(1, 1), "5.00");
}

TEST_F(FormulaTest, HiddenZeroResultIsEmpty) {
    grid.settings().showZeroValues = false;
    grid.addFormulaRule({1, 2, FormulaOperator::Subtract, 3});
    grid.setText(1, 1, "4", true);
    grid.setText(1, 2, "4", true);
    EXPECT_EQ(text(1, 3), "");
}

TEST_F(FormulaTest, DuplicatedRuleChainsStayWithinTheEvaluationBudget) {
    // Every column feeds the next through two identical rules: without a
    // bound the work doubles with every column.
    GridModel deep;
    constexpr std::int32_t kColumns = 40;
    deep.setRowCount(2);
    deep.setColumnCount(kColumns);
    for (std::int32_t column = 0; column < kColumns; ++column) {
        deep.addColumnType(testing::TypeOf(column, ColumnKind::Number).decimals(0));
    }
    for (std::int32_t column = 0; column + 1 < kColumns; ++column) {
        deep.addFormulaRule({column, column, FormulaOperator::Add, column + 1});
        deep.addFormulaRule({column, column, FormulaOperator::Add, column + 1});
    }
    deep.setText(1, 0, "1", true);
    EXPECT_EQ(deep.cell(1, 1)->text, "2");
    EXPECT_EQ(deep.cell(1, 5)->text, "32");
}

}  // namespace
}  // namespace veltrano::grid
