#include <windows.h>
#include <windowsx.h>

#include "grid/control/grid_cell_editor.h"
#include "runtime/kernel/wide_text.h"
#include "tests/grid_control/grid_fixture.h"
#include "tests/grid_model/column_type_builder.h"

namespace veltrano::grid::test {
namespace {

class GridEditingTest : public GridFixture {
protected:
    LPARAM centreOf(std::int32_t row, std::int32_t column) {
        const PixelRect rect = grid().geometry().cellRect(row, column);
        return MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    }
    void doubleClick(std::int32_t row, std::int32_t column) {
        SendMessageW(grid().handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, centreOf(row, column));
        SendMessageW(grid().handle(), WM_LBUTTONUP, 0, centreOf(row, column));
    }
    void type(HWND window, const std::wstring& characters) {
        for (wchar_t character : characters) SendMessageW(window, WM_CHAR, character, 0);
    }
    void key(HWND window, UINT code) { SendMessageW(window, WM_KEYDOWN, code, 0); }
    bool editorShown() { return grid().editorWindow() != nullptr && IsWindowVisible(grid().editorWindow()); }
    std::wstring editorText() {
        wchar_t buffer[256] = {};
        GetWindowTextW(grid().editorWindow(), buffer, 256);
        return buffer;
    }
};

TEST_F(GridEditingTest, DoubleClickTypingAndEnterStoreTheText) {
    model().setText(3, 2, "old", false);
    doubleClick(3, 2);
    ASSERT_TRUE(editorShown());
    EXPECT_EQ(editorText(), L"old");
    EXPECT_EQ(eventsNumbered(grid_event::kEditRequested).size(), 1u);
    EXPECT_EQ(eventsNumbered(grid_event::kEditBegun).size(), 1u);
    SendMessageW(grid().editorWindow(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    type(grid().editorWindow(), L"1F2E");
    key(grid().editorWindow(), VK_RETURN);
    EXPECT_FALSE(editorShown());
    EXPECT_EQ(cellText(3, 2), "1F2E");
    EXPECT_EQ(eventsNumbered(grid_event::kEditEnded).size(), 1u);
    const std::vector<FiredEvent> characters = eventsNumbered(grid_event::kCharacter);
    ASSERT_EQ(characters.size(), 4u);
    EXPECT_EQ(characters[0].arguments, std::vector<EventWord>{L'1'});
    EXPECT_TRUE(grid().userModified());
    EXPECT_TRUE(model().modified());
}

TEST_F(GridEditingTest, CommonEventsReachTheProgramAndAFalseAnswerKeepsTheMessageFromTheGrid) {
    namespace common = common_event;
    const auto argumentsOf = [this](std::int32_t number) {
        const std::vector<FiredEvent> fired = eventsNumbered(number);
        return fired.empty() ? std::vector<EventWord>{} : fired.back().arguments;
    };
    grid().setCurrentCell(2, 1);

    SendMessageW(grid().handle(), WM_KEYDOWN, VK_DOWN, 0);
    SendMessageW(grid().handle(), WM_KEYUP, VK_DOWN, 0);
    EXPECT_EQ(argumentsOf(common::kKeyDown), (std::vector<EventWord>{VK_DOWN, 0}));
    EXPECT_EQ(argumentsOf(common::kKeyUp), (std::vector<EventWord>{VK_DOWN, 0}));
    EXPECT_EQ(model().focusCell(), (CellAddress{3, 1}));

    const LPARAM point = centreOf(4, 2);
    SendMessageW(grid().handle(), WM_MOUSEMOVE, 0, point);
    SendMessageW(grid().handle(), WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageW(grid().handle(), WM_LBUTTONUP, 0, point);
    const std::vector<EventWord> where{static_cast<EventWord>(GET_X_LPARAM(point)),
                                       static_cast<EventWord>(GET_Y_LPARAM(point)), 0};
    EXPECT_EQ(argumentsOf(common::kMouseMove), where);
    EXPECT_EQ(argumentsOf(common::kMouseLeftDown), where);
    EXPECT_EQ(argumentsOf(common::kMouseLeftUp), where);
    EXPECT_EQ(model().focusCell(), (CellAddress{4, 2}));
    SendMessageW(grid().handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), point);
    EXPECT_EQ(argumentsOf(common::kMouseWheel), (std::vector<EventWord>{0xFFFFFFFFu, 0}));

    // A false answer keeps each message from the grid.
    answerEvent(common::kKeyDown, 0);
    SendMessageW(grid().handle(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(model().focusCell(), (CellAddress{4, 2}));
    answerEvent(common::kMouseLeftDown, 0);
    SendMessageW(grid().handle(), WM_LBUTTONDOWN, MK_LBUTTON, centreOf(5, 1));
    SendMessageW(grid().handle(), WM_LBUTTONUP, 0, centreOf(5, 1));
    EXPECT_EQ(model().focusCell(), (CellAddress{4, 2}));
    answerEvent(common::kDoubleClick, 0);
    doubleClick(4, 2);
    EXPECT_FALSE(editorShown());
    answerEvent(common::kChar, 0);
    SendMessageW(grid().handle(), WM_CHAR, L'A', 0);
    EXPECT_FALSE(editorShown());
    EXPECT_EQ(eventsNumbered(common::kDoubleClick).size(), 1u);

    // A character answer stands in for the typed one.
    answerEvent(common::kChar, L'B');
    SendMessageW(grid().handle(), WM_CHAR, L'A', 0);
    ASSERT_TRUE(editorShown());
    EXPECT_EQ(editorText(), L"B");
}

TEST_F(GridEditingTest, EscapeKeepsTheCellsText) {
    model().setText(4, 1, "keep", false);
    doubleClick(4, 1);
    ASSERT_TRUE(editorShown());
    type(grid().editorWindow(), L"zz");
    key(grid().editorWindow(), VK_ESCAPE);
    EXPECT_FALSE(editorShown());
    EXPECT_EQ(cellText(4, 1), "keep");
    EXPECT_TRUE(eventsNumbered(grid_event::kEditEnded).empty());
}

TEST_F(GridEditingTest, ACharacterTypedIntoTheGridStartsAnEditWithIt) {
    grid().setCurrentCell(2, 2);
    SendMessageW(grid().handle(), WM_CHAR, L'A', 0);
    ASSERT_TRUE(editorShown());
    EXPECT_EQ(editorText(), L"A");
    type(grid().editorWindow(), L"D");
    key(grid().editorWindow(), VK_TAB);
    EXPECT_EQ(cellText(2, 2), "AD");
}

TEST_F(GridEditingTest, TheCharacterThatStartsAnEditRaisesEvent11Once) {
    model().addColumnType(testing::TypeOf(3, ColumnKind::Number));

    grid().setCurrentCell(2, 2);
    SendMessageW(grid().handle(), WM_CHAR, L'A', 0);
    ASSERT_TRUE(editorShown());
    std::vector<FiredEvent> characters = eventsNumbered(grid_event::kCharacter);
    ASSERT_EQ(characters.size(), 1u);
    EXPECT_EQ(characters[0].arguments, std::vector<EventWord>{L'A'});
    type(grid().editorWindow(), L"D");
    characters = eventsNumbered(grid_event::kCharacter);
    ASSERT_EQ(characters.size(), 2u);
    EXPECT_EQ(characters[1].arguments, std::vector<EventWord>{L'D'});
    key(grid().editorWindow(), VK_ESCAPE);

    // In a numeric column the replayed character still meets the filter.
    grid().setCurrentCell(4, 3);
    SendMessageW(grid().handle(), WM_CHAR, L'x', 0);
    ASSERT_TRUE(editorShown());
    EXPECT_EQ(editorText(), L"");
    characters = eventsNumbered(grid_event::kCharacter);
    ASSERT_EQ(characters.size(), 3u);
    EXPECT_EQ(characters[2].arguments, std::vector<EventWord>{L'x'});
}

TEST_F(GridEditingTest, F2EditsTheFocusCellAndGbkTextsSurviveTheEditor) {
    model().setText(5, 1, codePage936FromWide(L"\u6295\u5f71\u4eea"), false);
    grid().setCurrentCell(5, 1);
    key(grid().handle(), VK_F2);
    ASSERT_TRUE(editorShown());
    EXPECT_EQ(editorText(), L"\u6295\u5f71\u4eea");
    key(grid().editorWindow(), VK_RETURN);
    EXPECT_EQ(cellText(5, 1), codePage936FromWide(L"\u6295\u5f71\u4eea"));
}

TEST_F(GridEditingTest, AHandlerAnsweringFalseToEvent7CancelsTheEdit) {
    answerEditRequests(false);
    doubleClick(3, 2);
    EXPECT_FALSE(editorShown());
    EXPECT_TRUE(eventsNumbered(grid_event::kEditBegun).empty());
}

TEST_F(GridEditingTest, ReadOnlyCellsFixedCellsAndANonEditableGridAreNotEdited) {
    model().setState(3, 2, kStateReadOnly);
    doubleClick(3, 2);
    EXPECT_FALSE(editorShown());
    doubleClick(0, 2);
    EXPECT_FALSE(editorShown());
    const std::vector<FiredEvent> fixed = eventsNumbered(grid_event::kFixedCellDoubleClicked);
    ASSERT_EQ(fixed.size(), 1u);
    EXPECT_EQ(fixed[0].arguments, (std::vector<EventWord>{0, 2}));
    grid().writeProperty(static_cast<int>(GridProperty::Editable), RawValue{0, 0});
    doubleClick(4, 2);
    EXPECT_FALSE(editorShown());
}

TEST_F(GridEditingTest, NumericEditorsTakeOnlyNumberCharacters) {
    ColumnType type;
    type.column = 2;
    type.kind = ColumnKind::Number;
    model().addColumnType(type);
    model().setText(3, 2, "-5", false);
    doubleClick(3, 2);
    ASSERT_TRUE(editorShown());
    SendMessageW(grid().editorWindow(), EM_SETSEL, 2, 2);
    this->type(grid().editorWindow(), L"-x.5.");
    EXPECT_EQ(editorText(), L"-5.5");
}

TEST_F(GridEditingTest, DeletingTheGridDuringAnEditStoresNothingAndFiresNothing) {
    doubleClick(3, 2);
    ASSERT_TRUE(editorShown());
    const HWND editor = grid().editorWindow();
    type(editor, L"12");
    events_.clear();
    delete grid_;
    grid_ = nullptr;
    EXPECT_FALSE(IsWindow(editor));
    EXPECT_TRUE(eventsNumbered(grid_event::kEditEnded).empty());
    recreate(tableDesign());
}

TEST(CellEditorRules, NumericCharactersFollowTheirPlaceRules) {
    EXPECT_FALSE(CellEditor::acceptsNumeric(L"-5", 2, 2, L'-'));
    EXPECT_TRUE(CellEditor::acceptsNumeric(L"-5", 0, 2, L'-'));
    EXPECT_TRUE(CellEditor::acceptsNumeric(L"5", 0, 0, L'-'));
    EXPECT_FALSE(CellEditor::acceptsNumeric(L"1.5", 3, 3, L'.'));
    EXPECT_FALSE(CellEditor::acceptsNumeric(L"1", 1, 1, L'e'));
    EXPECT_TRUE(CellEditor::acceptsNumeric(L"1", 1, 1, L'\b'));
}

TEST_F(GridEditingTest, ClickingACheckBoxCellTogglesItAndCentresIt) {
    ColumnType type;
    type.column = 3;
    type.kind = ColumnKind::CheckBox;
    model().addColumnType(type);
    SendMessageW(grid().handle(), WM_LBUTTONDOWN, MK_LBUTTON, centreOf(4, 3));
    SendMessageW(grid().handle(), WM_LBUTTONUP, 0, centreOf(4, 3));
    EXPECT_EQ(model().cell(4, 3)->checkState, 1);
    EXPECT_EQ(model().cell(4, 3)->format, 0x825u);
    EXPECT_FALSE(editorShown());
    EXPECT_EQ(eventsNumbered(grid_event::kEditEnded).size(), 1u);
}

TEST_F(GridEditingTest, ReleasingTheButtonReportsThePointAndFixedCells) {
    const PixelRect header = grid().geometry().cellRect(0, 2);
    SendMessageW(grid().handle(), WM_LBUTTONUP, 0, MAKELPARAM(header.left + 5, header.top + 5));
    const std::vector<FiredEvent> released = eventsNumbered(grid_event::kMouseReleased);
    ASSERT_EQ(released.size(), 1u);
    EXPECT_EQ(released[0].arguments, (std::vector<EventWord>{static_cast<std::uint32_t>(header.left + 5),
                                                             static_cast<std::uint32_t>(header.top + 5)}));
    const std::vector<FiredEvent> fixed = eventsNumbered(grid_event::kFixedCellReleased);
    ASSERT_EQ(fixed.size(), 1u);
    EXPECT_EQ(fixed[0].arguments, (std::vector<EventWord>{0, 2}));
}

TEST_F(GridEditingTest, ArrowKeysMoveTheFocusAndSkipMergedRanges) {
    model().addMerge(MergeRecord{3, 1, 3, 1, 3, 2});
    grid().setCurrentCell(3, 1);
    key(grid().handle(), VK_RIGHT);
    EXPECT_EQ(model().focusCell(), (CellAddress{3, 3}));
    key(grid().handle(), VK_LEFT);
    EXPECT_EQ(model().focusCell(), (CellAddress{3, 1}));
    key(grid().handle(), VK_LEFT);
    EXPECT_EQ(model().focusCell(), (CellAddress{3, 1}));
    key(grid().handle(), VK_UP);
    key(grid().handle(), VK_UP);
    key(grid().handle(), VK_UP);
    EXPECT_EQ(model().focusCell(), (CellAddress{1, 1}));
    EXPECT_GE(eventsNumbered(grid_event::kFocusChanged).size(), 4u);
}

TEST_F(GridEditingTest, TabWrapsToTheFirstScrolledColumnOfTheNextRow) {
    grid().setCurrentCell(2, 3);
    key(grid().handle(), VK_TAB);
    EXPECT_EQ(model().focusCell(), (CellAddress{3, 1}));
}

TEST_F(GridEditingTest, DeleteClearsTheFocusCell) {
    model().setText(6, 2, "gone", false);
    grid().setCurrentCell(6, 2);
    key(grid().handle(), VK_DELETE);
    EXPECT_EQ(cellText(6, 2), "");
}

TEST_F(GridEditingTest, PastedRowsAndColumnsFillCellsFromTheFocusCell) {
    grid().setCurrentCell(2, 1);
    grid().pasteText(L"a\tb\r\nc\td\r\n");
    EXPECT_EQ(cellText(2, 1), "a");
    EXPECT_EQ(cellText(2, 2), "b");
    EXPECT_EQ(cellText(3, 1), "c");
    EXPECT_EQ(cellText(3, 2), "d");
    EXPECT_EQ(cellText(4, 1), "");
}

TEST_F(GridEditingTest, TheSelectionCopiesAsTabSeparatedRows) {
    model().setText(2, 1, "a", false);
    model().setText(2, 2, "b", false);
    model().setText(3, 1, "c", false);
    SendMessageW(grid().handle(), WM_LBUTTONDOWN, MK_LBUTTON, centreOf(2, 1));
    SendMessageW(grid().handle(), WM_MOUSEMOVE, MK_LBUTTON, centreOf(3, 2));
    SendMessageW(grid().handle(), WM_LBUTTONUP, 0, centreOf(3, 2));
    EXPECT_EQ(grid().selectionText(), L"a\tb\r\nc\t");
}

}  // namespace
}  // namespace veltrano::grid::test
