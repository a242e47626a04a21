#include <filesystem>
#include <fstream>
#include <string>

#include "runtime/kernel/component_class.h"
#include "runtime/kernel/runtime_text.h"
#include "tests/grid_control/grid_fixture.h"

namespace veltrano::grid::test {
namespace {

using grid_library::GridCommand;

std::string textOf(const ValueTriple& value) {
    return std::string(textView(value.address<const char>()));
}

class GridCommandTest : public GridFixture {
protected:
    void addColumn(std::int32_t column, ColumnKind kind, std::int32_t decimals = -1) {
        ColumnType type;
        type.column = column;
        type.kind = kind;
        type.decimals = decimals;
        model().addColumnType(type);
    }
    bool setText(std::int32_t row, std::int32_t column, const std::string& value) {
        return call(GridCommand::SetCellData, {integer(row), integer(column), integer(1), text(value)}).low != 0;
    }
};

TEST_F(GridCommandTest, SetCellDataThenGetCellDataGivesTheTextBackAsANewBlock) {
    const ValueTriple argument = text("AD66666666AAAAAABD");
    const ValueTriple stored = call(GridCommand::SetCellData, {integer(3), integer(2), integer(1), argument});
    EXPECT_EQ(stored.type, type_code::kBool);
    EXPECT_EQ(stored.low, 1u);
    const ValueTriple read = call(GridCommand::GetCellData, {integer(3), integer(2)});
    ASSERT_EQ(read.type, type_code::kText);
    EXPECT_NE(read.low, argument.low);
    EXPECT_EQ(textOf(read), "AD66666666AAAAAABD");
}

TEST_F(GridCommandTest, GetCellDataOfAnEmptyCellIsTheEmptyText) {
    const ValueTriple read = call(GridCommand::GetCellData, {integer(4), integer(1)});
    EXPECT_EQ(read.type, type_code::kText);
    EXPECT_EQ(read.low, 0u);
}

TEST_F(GridCommandTest, GetCellDataOutsideTheGridIsLogicalFalseOrAnEmptyByteSetInPictureColumns) {
    const ValueTriple outside = call(GridCommand::GetCellData, {integer(-1), integer(2)});
    EXPECT_EQ(outside.type, type_code::kBool);
    EXPECT_EQ(outside.low, 0u);
    addColumn(3, ColumnKind::Picture);
    const ValueTriple picture = call(GridCommand::GetCellData, {integer(20), integer(3)});
    EXPECT_EQ(picture.type, type_code::kByteSet);
    EXPECT_EQ(picture.low, 0u);
}

TEST_F(GridCommandTest, NumericColumnsRefuseTextsThatAreNoNumbers) {
    addColumn(2, ColumnKind::Number, 2);
    ASSERT_TRUE(setText(2, 2, "1.5"));
    EXPECT_FALSE(setText(2, 2, "abc"));
    EXPECT_EQ(cellText(2, 2), "1.50");
    EXPECT_TRUE(setText(3, 2, " 0"));
    EXPECT_EQ(cellText(3, 2), "0.00");
}

TEST_F(GridCommandTest, IntegersInADecimalColumnAreFormattedByItsDecimals) {
    addColumn(2, ColumnKind::Number, 2);
    const ValueTriple stored = call(GridCommand::SetCellData, {integer(4), integer(2), integer(1), integer(5)});
    EXPECT_EQ(stored.low, 1u);
    EXPECT_EQ(cellText(4, 2), "5.00");
}

TEST_F(GridCommandTest, HiddenZeroValuesAreStoredAsTheEmptyText) {
    addColumn(2, ColumnKind::Number, 1);
    grid().writeProperty(static_cast<int>(GridProperty::ShowZeroValues), RawValue{0, 0});
    EXPECT_TRUE(setText(5, 2, "0"));
    EXPECT_EQ(cellText(5, 2), "");
}

TEST_F(GridCommandTest, CheckStatesNeedALogicalInACheckBoxColumn) {
    addColumn(3, ColumnKind::CheckBox);
    EXPECT_EQ(call(GridCommand::SetCellData, {integer(2), integer(3), integer(5), integer(1)}).low, 0u);
    EXPECT_EQ(call(GridCommand::SetCellData, {integer(2), integer(2), integer(5), logical(true)}).low, 0u);
    EXPECT_EQ(call(GridCommand::SetCellData, {integer(0), integer(3), integer(5), logical(true)}).low, 1u);
    EXPECT_EQ(model().cell(0, 3)->checkState, 1);
    EXPECT_EQ(call(GridCommand::SetCellData, {integer(2), integer(3), integer(5), logical(true)}).low, 1u);
    const ValueTriple read = call(GridCommand::GetCellData, {integer(2), integer(3)});
    EXPECT_EQ(read.type, type_code::kBool);
    EXPECT_EQ(read.low, 1u);
}

TEST_F(GridCommandTest, UnknownDataKindsAndMissingValuesStoreNothing) {
    EXPECT_EQ(call(GridCommand::SetCellData, {integer(2), integer(2), integer(2), text("x")}).low, 0u);
    EXPECT_EQ(call(GridCommand::SetCellData, {integer(2), integer(2), integer(1)}).low, 0u);
    EXPECT_EQ(cellText(2, 2), "");
}

TEST_F(GridCommandTest, SetAlignmentKeepsWordWrapAndClipsTheFarCorner) {
    model().setFormat(2, 2, kDefaultFormat | kFormatWordWrap);
    const ValueTriple aligned =
        call(GridCommand::SetAlignment, {integer(1), integer(1), integer(1000), integer(3), integer(3)});
    EXPECT_EQ(aligned.low, 1u);
    EXPECT_EQ(model().cell(2, 2)->format, 0x816u);
    EXPECT_EQ(model().cell(19, 3)->format, 0x826u);
    EXPECT_EQ(model().cell(0, 0)->format, kDefaultFormat);
}

TEST_F(GridCommandTest, SetAlignmentWithoutOptionalArgumentsAlignsOneCellLeft) {
    model().setFormat(3, 1, 0x825);
    const ValueTriple missing{0, 0, type_code::kNone};
    EXPECT_EQ(call(GridCommand::SetAlignment, {integer(3), integer(1), missing, missing, missing}).low, 1u);
    EXPECT_EQ(model().cell(3, 1)->format, 0x824u);
    EXPECT_EQ(call(GridCommand::SetAlignment, {integer(-1), integer(1)}).low, 0u);
}

TEST_F(GridCommandTest, SetColumnWidthForcesTheWidthAndRefusesBadColumns) {
    EXPECT_EQ(call(GridCommand::SetColumnWidth, {integer(2), integer(2)}).low, 1u);
    EXPECT_EQ(model().columnWidth(2), 2);
    EXPECT_EQ(call(GridCommand::SetColumnWidth, {integer(4), integer(50)}).low, 0u);
    EXPECT_EQ(call(GridCommand::SetColumnWidth, {integer(1), integer(-1)}).low, 0u);
    EXPECT_EQ(model().columnWidth(1), 80);
}

TEST_F(GridCommandTest, SetCurrentCellRaisesFocusChangedOnlyWhenTheFocusMoves) {
    call(GridCommand::SetCurrentCell, {integer(5), integer(2)});
    EXPECT_EQ(model().focusCell(), (CellAddress{5, 2}));
    EXPECT_EQ(eventsNumbered(grid_event::kFocusChanged).size(), 1u);
    call(GridCommand::SetCurrentCell, {integer(5), integer(2)});
    EXPECT_EQ(eventsNumbered(grid_event::kFocusChanged).size(), 1u);
    call(GridCommand::SetCurrentCell, {integer(6), integer(2)});
    EXPECT_EQ(eventsNumbered(grid_event::kFocusChanged).size(), 2u);
}

TEST_F(GridCommandTest, SetCurrentCellScrollsALowRowIntoView) {
    call(GridCommand::SetCurrentCell, {integer(19), integer(1)});
    EXPECT_GT(grid().topRow(), 1);
    const PixelRect rect = grid().geometry().cellRect(19, 1);
    RECT client{};
    GetClientRect(grid().handle(), &client);
    EXPECT_LE(rect.bottom, client.bottom);
    EXPECT_GE(rect.top, grid().geometry().fixedHeight());
}

TEST_F(GridCommandTest, MergeCellsRefusesSingleCellsRangesOutsideAndRangesAcrossAreas) {
    call(GridCommand::MergeCells, {integer(2), integer(2)});
    call(GridCommand::MergeCells, {integer(2), integer(2), integer(20), integer(3)});
    call(GridCommand::MergeCells, {integer(0), integer(1), integer(1), integer(2)});
    call(GridCommand::MergeCells, {integer(3), integer(-1), integer(4), integer(2)});
    EXPECT_TRUE(model().merges().empty());
}

TEST_F(GridCommandTest, MergeCellsOverAnExistingAnchorClearsTheSelectionAndMergesNothing) {
    call(GridCommand::MergeCells, {integer(3), integer(2), integer(4), integer(3)});
    ASSERT_EQ(model().merges().size(), 1u);
    model().selectRange(5, 1, 6, 2);
    call(GridCommand::MergeCells, {integer(2), integer(1), integer(3), integer(2)});
    EXPECT_EQ(model().merges().size(), 1u);
    EXPECT_EQ(model().selectedCount(), 0u);
}

TEST_F(GridCommandTest, MergeCellsRefusedForAnOverlapLeavesNoSelectedRangeToCopyOrExtend) {
    call(GridCommand::MergeCells, {integer(3), integer(2), integer(4), integer(3)});
    ASSERT_EQ(model().merges().size(), 1u);
    model().setText(5, 1, "a", false);
    model().setText(5, 2, "b", false);
    model().setText(6, 1, "c", false);
    model().setText(6, 2, "d", false);
    const auto centreOf = [this](std::int32_t row, std::int32_t column) {
        const PixelRect rect = grid().geometry().cellRect(row, column);
        return MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    };
    SendMessageW(grid().handle(), WM_LBUTTONDOWN, MK_LBUTTON, centreOf(5, 1));
    SendMessageW(grid().handle(), WM_MOUSEMOVE, MK_LBUTTON, centreOf(6, 2));
    SendMessageW(grid().handle(), WM_LBUTTONUP, 0, centreOf(6, 2));
    ASSERT_EQ(grid().selectionText(), L"a\tb\r\nc\td");

    call(GridCommand::MergeCells, {integer(2), integer(1), integer(3), integer(2)});
    EXPECT_EQ(model().merges().size(), 1u);
    EXPECT_EQ(model().selectedCount(), 0u);
    EXPECT_EQ(grid().selectionText(), L"");

    // Shift with a click extends from where the last selection started,
    // which after the refusal is nowhere: only the clicked cell is taken.
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(grid().handle(), WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, centreOf(7, 2));
    SendMessageW(grid().handle(), WM_LBUTTONUP, MK_SHIFT, centreOf(7, 2));
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(model().selectedCount(), 1u);
    EXPECT_TRUE(model().isSelected(7, 2));
    EXPECT_FALSE(model().isSelected(5, 1));
}

TEST_F(GridCommandTest, MergeCellsRefusesARangeThatCutsThroughAnotherOne) {
    call(GridCommand::MergeCells, {integer(5), integer(1), integer(5), integer(3)});
    ASSERT_EQ(model().merges().size(), 1u);
    call(GridCommand::MergeCells, {integer(4), integer(2), integer(6), integer(2)});
    EXPECT_EQ(model().merges().size(), 1u);
}

TEST_F(GridCommandTest, MergingHeaderCellsClearsTheCoveredHeaderText) {
    model().setText(0, 1, "key", false);
    model().setText(0, 2, "code", false);
    call(GridCommand::MergeCells, {integer(0), integer(1), integer(0), integer(2)});
    ASSERT_EQ(model().merges().size(), 1u);
    EXPECT_EQ(cellText(0, 1), "key");
    EXPECT_EQ(cellText(0, 2), "");
    EXPECT_NE(model().cell(0, 2)->state & kStateCovered, 0u);
}

TEST_F(GridCommandTest, ClearCellsEmptiesTextsAndChecksButKeepsFormats) {
    addColumn(3, ColumnKind::CheckBox);
    setText(2, 1, "a");
    setText(2, 2, "b");
    model().setCheckState(2, 3, 1);
    model().setFormat(2, 2, 0x825);
    EXPECT_EQ(call(GridCommand::ClearCells, {integer(2), integer(1), integer(2), integer(3)}).low, 1u);
    EXPECT_EQ(cellText(2, 1), "");
    EXPECT_EQ(cellText(2, 2), "");
    EXPECT_EQ(model().cell(2, 3)->checkState, 0);
    EXPECT_EQ(model().cell(2, 2)->format, 0x825u);
    EXPECT_EQ(call(GridCommand::ClearCells, {integer(3), integer(3), integer(2), integer(3)}).low, 0u);
}

class GridFileCommandTest : public GridCommandTest {
protected:
    GridFileCommandTest() {
        wchar_t temporary[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temporary);
        folder_ = std::filesystem::path(temporary) / ("veltrano-grid-" + std::to_string(GetCurrentProcessId()));
        std::filesystem::create_directories(folder_);
    }
    ~GridFileCommandTest() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    std::string pathOf(const std::string& name) const { return (folder_ / name).string(); }

    std::filesystem::path folder_;
};

TEST_F(GridFileCommandTest, SavedTablesLoadBackIntoAnotherGrid) {
    setText(1, 1, "projector");
    setText(1, 2, "AA BB CC");
    call(GridCommand::MergeCells, {integer(3), integer(1), integer(4), integer(1)});
    const std::string path = pathOf("data.dat");
    EXPECT_EQ(call(GridCommand::SaveFile, {text(path)}).low, 1u);
    ASSERT_TRUE(std::filesystem::exists(path));

    classdata::GridDesignData other = tableDesign();
    other.rowCount = 3;
    recreate(other);
    ASSERT_EQ(model().rowCount(), 3);
    const ValueTriple loaded = call(GridCommand::LoadFile, {text(path)});
    EXPECT_EQ(loaded.type, type_code::kBool);
    EXPECT_EQ(loaded.low, 1u);
    EXPECT_EQ(model().rowCount(), 20);
    EXPECT_EQ(textOf(call(GridCommand::GetCellData, {integer(1), integer(2)})), "AA BB CC");
    EXPECT_EQ(model().merges().size(), 1u);
    RawValue rows;
    grid().readProperty(static_cast<int>(GridProperty::RowCount), rows);
    EXPECT_EQ(rows.word1, 20u);
}

TEST_F(GridFileCommandTest, DraggingBordersAfterLoadFileFollowsTheFilesResizableFlags) {
    const auto flagOf = [this](GridProperty property) {
        RawValue value{7, 7};
        EXPECT_TRUE(grid().readProperty(static_cast<int>(property), value));
        return value.number();
    };
    // Drags the border right of column 2 and below row 2 by 20 pixels each;
    // the border lies in the fixed header row and column.
    const auto drag = [this]() {
        const PixelRect column = grid().geometry().cellRect(0, 2);
        SendMessageW(grid().handle(), WM_LBUTTONDOWN, MK_LBUTTON,
                     MAKELPARAM(column.right, (column.top + column.bottom) / 2));
        SendMessageW(grid().handle(), WM_MOUSEMOVE, MK_LBUTTON,
                     MAKELPARAM(column.right + 20, (column.top + column.bottom) / 2));
        SendMessageW(grid().handle(), WM_LBUTTONUP, 0, MAKELPARAM(column.right + 20, (column.top + column.bottom) / 2));
        const PixelRect row = grid().geometry().cellRect(2, 0);
        SendMessageW(grid().handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM((row.left + row.right) / 2, row.bottom));
        SendMessageW(grid().handle(), WM_MOUSEMOVE, MK_LBUTTON,
                     MAKELPARAM((row.left + row.right) / 2, row.bottom + 20));
        SendMessageW(grid().handle(), WM_LBUTTONUP, 0, MAKELPARAM((row.left + row.right) / 2, row.bottom + 20));
    };

    for (const bool resizableInFile : {false, true}) {
        SCOPED_TRACE(resizableInFile ? "file allows resizing" : "file forbids resizing");
        classdata::GridDesignData design = tableDesign();
        design.rowsResizable = resizableInFile;
        design.columnsResizable = resizableInFile;
        recreate(design);
        const std::string path = pathOf(resizableInFile ? "resizable.dat" : "fixed.dat");
        ASSERT_EQ(call(GridCommand::SaveFile, {text(path)}).low, 1u);

        design.rowsResizable = !resizableInFile;
        design.columnsResizable = !resizableInFile;
        recreate(design);
        ASSERT_EQ(call(GridCommand::LoadFile, {text(path)}).low, 1u);
        EXPECT_EQ(flagOf(GridProperty::RowsResizable), resizableInFile ? 1u : 0u);
        EXPECT_EQ(flagOf(GridProperty::ColumnsResizable), resizableInFile ? 1u : 0u);

        const std::int32_t width = model().columnWidth(2);
        const std::int32_t height = model().rowHeight(2);
        drag();
        EXPECT_EQ(model().columnWidth(2), resizableInFile ? width + 20 : width);
        EXPECT_EQ(model().rowHeight(2), resizableInFile ? height + 20 : height);
    }
}

TEST_F(GridFileCommandTest, AFileThatIsNoTableLeavesTheGridAsItWas) {
    setText(2, 2, "kept");
    const std::string path = pathOf("broken.dat");
    std::ofstream(path, std::ios::binary) << std::string(600, 'x');
    EXPECT_EQ(call(GridCommand::LoadFile, {text(path)}).low, 0u);
    EXPECT_EQ(call(GridCommand::LoadFile, {text(pathOf("missing.dat"))}).low, 0u);
    EXPECT_EQ(cellText(2, 2), "kept");
    EXPECT_EQ(model().rowCount(), 20);
}

TEST_F(GridFileCommandTest, SavingIntoAFolderThatDoesNotExistFails) {
    EXPECT_EQ(call(GridCommand::SaveFile, {text(pathOf("no-such-folder\\data.dat"))}).low, 0u);
    EXPECT_EQ(call(GridCommand::SaveFile, {integer(3)}).low, 0u);
}

}  // namespace
}  // namespace veltrano::grid::test
