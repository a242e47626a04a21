#include <chrono>
#include <optional>
#include <string>
#include <thread>

#include "grid/control/clipboard_io.h"
#include "runtime/kernel/wide_text.h"
#include "tests/grid_control/grid_fixture.h"

namespace veltrano::grid::test {
namespace {

// The copy and paste keys going through the system's clipboard. Other
// programs may hold the clipboard for a moment: each step waits its turn.
class GridClipboardTest : public GridFixture {
protected:
    ~GridClipboardTest() override { holdKeys(false, false); }

    LPARAM centreOf(std::int32_t row, std::int32_t column) {
        const PixelRect rect = grid().geometry().cellRect(row, column);
        return MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    }

    void dragSelect(CellAddress from, CellAddress to) {
        SendMessageW(grid().handle(), WM_LBUTTONDOWN, MK_LBUTTON, centreOf(from.row, from.column));
        SendMessageW(grid().handle(), WM_MOUSEMOVE, MK_LBUTTON, centreOf(to.row, to.column));
        SendMessageW(grid().handle(), WM_LBUTTONUP, 0, centreOf(to.row, to.column));
    }

    // The grid reads Control and Shift from the thread's key state.
    static void holdKeys(bool control, bool shift) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = control ? 0x80 : 0;
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
    }

    // Presses the key once the clipboard is free, so the grid's one try to
    // open it does not meet another program's hold.
    void press(UINT key, bool control, bool shift) {
        ASSERT_TRUE(waitForClipboard());
        holdKeys(control, shift);
        SendMessageW(grid().handle(), WM_KEYDOWN, key, 0);
        holdKeys(false, false);
    }

    bool waitForClipboard() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!OpenClipboard(parent_)) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            std::this_thread::yield();
        }
        CloseClipboard();
        return true;
    }

    void putOnClipboard(const std::wstring& text) {
        ASSERT_TRUE(waitForClipboard());
        ASSERT_TRUE(writeClipboardText(parent_, text));
    }

    std::optional<std::wstring> clipboard() {
        if (!waitForClipboard()) return std::nullopt;
        return readClipboardText(parent_);
    }
};

TEST_F(GridClipboardTest, ControlCPutsTheSelectedBlockOnTheClipboardAsTabSeparatedRows) {
    model().setText(2, 1, "a", false);
    model().setText(2, 2, codePage936FromWide(L"\u6295\u5f71"), false);
    model().setText(3, 1, "c", false);
    model().setText(3, 2, "d\te", false);
    dragSelect({2, 1}, {3, 2});
    press('C', true, false);
    EXPECT_EQ(clipboard(), L"a\t\u6295\u5f71\r\nc\td\te");
}

TEST_F(GridClipboardTest, ControlCWithoutABlockCopiesTheFocusCell) {
    model().setText(5, 3, "only", false);
    grid().setCurrentCell(5, 3);
    press('C', true, false);
    EXPECT_EQ(clipboard(), L"only");
}

TEST_F(GridClipboardTest, CWithoutControlCopiesNothing) {
    putOnClipboard(L"before");
    model().setText(5, 3, "only", false);
    grid().setCurrentCell(5, 3);
    press('C', false, false);
    EXPECT_EQ(clipboard(), L"before");
}

TEST_F(GridClipboardTest, ControlVFillsCellsFromTheFocusCellAndSkipsReadOnlyCellsAndCellsPastTheEdge) {
    model().setState(19, 2, kStateReadOnly);
    model().setText(19, 2, "kept", false);
    putOnClipboard(L"p\tq\tr\r\ns\tt\r\nu\r\n");
    grid().setCurrentCell(18, 2);
    events_.clear();
    press('V', true, false);
    EXPECT_EQ(cellText(18, 2), "p");
    EXPECT_EQ(cellText(18, 3), "q");
    EXPECT_EQ(cellText(19, 2), "kept");
    EXPECT_EQ(cellText(19, 3), "t");
    EXPECT_EQ(cellText(18, 1), "");
    EXPECT_EQ(eventsNumbered(grid_event::kEditEnded).size(), 1u);
    EXPECT_TRUE(grid().userModified());
    EXPECT_TRUE(model().modified());
}

TEST_F(GridClipboardTest, ControlVOfWideTextStoresItAsTheCellsOwnText) {
    putOnClipboard(L"\u6295\u5f71\u4eea\r\n");
    grid().setCurrentCell(4, 1);
    press('V', true, false);
    EXPECT_EQ(cellText(4, 1), codePage936FromWide(L"\u6295\u5f71\u4eea"));
    EXPECT_EQ(cellText(5, 1), "");
}

TEST_F(GridClipboardTest, ControlVOfAnEmptyTextEmptiesTheFocusCell) {
    model().setText(4, 1, "gone", false);
    putOnClipboard(L"");
    grid().setCurrentCell(4, 1);
    press('V', true, false);
    EXPECT_EQ(cellText(4, 1), "");
}

TEST_F(GridClipboardTest, APasteThatChangesNoCellFiresNoEvent) {
    grid().writeProperty(static_cast<int>(GridProperty::Editable), RawValue{0, 0});
    putOnClipboard(L"x\ty");
    grid().setCurrentCell(4, 1);
    events_.clear();
    press('V', true, false);
    EXPECT_EQ(cellText(4, 1), "");
    EXPECT_TRUE(eventsNumbered(grid_event::kEditEnded).empty());
    EXPECT_FALSE(grid().userModified());
}

TEST_F(GridClipboardTest, ControlXCopiesTheBlockThenEmptiesIt) {
    model().setText(2, 1, "a", false);
    model().setText(2, 2, "b", false);
    dragSelect({2, 1}, {2, 2});
    press('X', true, false);
    EXPECT_EQ(clipboard(), L"a\tb");
    EXPECT_EQ(cellText(2, 1), "");
    EXPECT_EQ(cellText(2, 2), "");
}

TEST_F(GridClipboardTest, ShiftInsertPastesWithoutCopying) {
    model().setText(2, 1, "a", false);
    putOnClipboard(L"x");
    grid().setCurrentCell(2, 1);
    press(VK_INSERT, false, true);
    EXPECT_EQ(cellText(2, 1), "x");
    EXPECT_EQ(clipboard(), L"x");
}

TEST_F(GridClipboardTest, ControlShiftInsertCopiesTheBlockFirstThenPastesItBack) {
    model().setText(2, 1, "a", false);
    model().setText(2, 2, "b", false);
    putOnClipboard(L"x");
    dragSelect({2, 1}, {2, 2});
    press(VK_INSERT, true, true);
    EXPECT_EQ(clipboard(), L"a\tb");
    EXPECT_EQ(cellText(2, 1), "a");
    EXPECT_EQ(cellText(2, 2), "b");
}

TEST_F(GridClipboardTest, TextReadsBackFromTheClipboardUpToItsFirstNul) {
    putOnClipboard(std::wstring(L"a\tb\r\n\u6295\0tail", 10));
    EXPECT_EQ(clipboard(), L"a\tb\r\n\u6295");
    putOnClipboard(L"");
    EXPECT_EQ(clipboard(), L"");
}

TEST_F(GridClipboardTest, NoTextIsReadWhileAnotherWindowHoldsTheClipboard) {
    ASSERT_TRUE(waitForClipboard());
    ASSERT_TRUE(OpenClipboard(grid().handle()));
    const std::optional<std::wstring> read = readClipboardText(parent_);
    const bool written = writeClipboardText(parent_, L"refused");
    CloseClipboard();
    EXPECT_EQ(read, std::nullopt);
    EXPECT_FALSE(written);
}

}  // namespace
}  // namespace veltrano::grid::test
