#include <string>

#include "grid/control/title_tip.h"
#include "grid/library/grid_command_calls.h"
#include "tests/grid_control/grid_fixture.h"

namespace veltrano::grid::test {
namespace {

using grid_library::GridCommand;

constexpr char kLongText[] = "a text far too long for any eighty pixel column";

// The grid's tip is found among this thread's windows: other programs run
// beside the tests and may show tips of their own.
BOOL CALLBACK collectTip(HWND window, LPARAM found) {
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    if (std::wstring(name) != TitleTip::kWindowClassName) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

LPARAM pointParameter(POINT point) {
    return MAKELPARAM(static_cast<WORD>(point.x), static_cast<WORD>(point.y));
}

class TitleTipTest : public GridFixture {
protected:
    TitleTipTest() {
        // Above other programs' windows, so the window under a point is ours.
        SetWindowPos(parent_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetFocus(grid().handle());
        model().setText(2, 1, kLongText, false);
        model().setText(3, 1, "ab", false);
    }

    HWND tip() const {
        HWND found = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), &collectTip, reinterpret_cast<LPARAM>(&found));
        return found;
    }
    bool tipShown() const {
        HWND window = tip();
        return window != nullptr && IsWindowVisible(window);
    }

    POINT cellCentre(std::int32_t row, std::int32_t column) {
        const PixelRect rect = grid().geometry().cellRect(row, column);
        return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }
    RECT cellOnScreen(std::int32_t row, std::int32_t column) {
        const PixelRect rect = grid().geometry().drawRect(row, column);
        POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
        MapWindowPoints(grid().handle(), nullptr, corners, 2);
        return RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
    }
    // The cursor goes along: the system reports it to the window holding
    // the capture whenever windows change under it.
    void hover(std::int32_t row, std::int32_t column) {
        const POINT point = cellCentre(row, column);
        placeCursor(grid().handle(), point);
        SendMessageW(grid().handle(), WM_MOUSEMOVE, 0, pointParameter(point));
    }
    void moveOnTip(POINT tipPoint) {
        placeCursor(tip(), tipPoint);
        SendMessageW(tip(), WM_MOUSEMOVE, 0, pointParameter(tipPoint));
    }
    static void placeCursor(HWND window, POINT point) {
        ClientToScreen(window, &point);
        SetCursorPos(point.x, point.y);
    }
    // A point given in the grid's client area, as the tip's client sees it.
    POINT onTip(POINT gridPoint) {
        MapWindowPoints(grid().handle(), tip(), &gridPoint, 1);
        return gridPoint;
    }
    static void pump() {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    int textWidth(const std::string& value) {
        const std::wstring wide(value.begin(), value.end());
        HDC dc = GetDC(tip());
        SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        SIZE size{};
        GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
        ReleaseDC(tip(), dc);
        return static_cast<int>(size.cx);
    }
};

TEST_F(TitleTipTest, CutTextShowsOverTheCellWidenedToTheTextAndTakesTheMouse) {
    ASSERT_NE(GetFocus(), nullptr);
    hover(2, 1);
    ASSERT_TRUE(tipShown());
    RECT shown{};
    GetWindowRect(tip(), &shown);
    const RECT cell = cellOnScreen(2, 1);
    EXPECT_EQ(shown.left, cell.left);
    EXPECT_EQ(shown.top, cell.top);
    EXPECT_EQ(shown.bottom, cell.bottom);
    EXPECT_GE(shown.right - shown.left, textWidth(kLongText));
    EXPECT_GT(shown.right, cell.right);
    wchar_t caption[128] = {};
    GetWindowTextW(tip(), caption, 128);
    EXPECT_EQ(std::wstring(caption), std::wstring(std::begin(kLongText), std::end(kLongText) - 1));
    EXPECT_EQ(GetCapture(), tip());
    const LONG_PTR extended = GetWindowLongPtrW(tip(), GWL_EXSTYLE);
    EXPECT_NE(extended & WS_EX_TOOLWINDOW, 0);
    EXPECT_NE(extended & WS_EX_TOPMOST, 0);
    EXPECT_EQ(GetWindow(tip(), GW_OWNER), parent_);
    EXPECT_EQ(GetFocus(), grid().handle());
}

TEST_F(TitleTipTest, TextThatFitsShowsNone) {
    hover(3, 1);
    EXPECT_FALSE(tipShown());
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(TitleTipTest, MergedRangeIsMeasuredWholeAndShownFromItsAnchor) {
    model().setText(5, 1, "twelve chars", false);
    call(GridCommand::MergeCells, {integer(5), integer(1), integer(5), integer(3)});
    call(GridCommand::MergeCells, {integer(2), integer(1), integer(2), integer(2)});
    hover(5, 2);
    EXPECT_FALSE(tipShown());
    hover(2, 2);
    ASSERT_TRUE(tipShown());
    RECT shown{};
    GetWindowRect(tip(), &shown);
    EXPECT_EQ(shown.left, cellOnScreen(2, 1).left);
}

TEST_F(TitleTipTest, NoTipWhileEditing) {
    ASSERT_TRUE(grid().beginEdit(4, 2, 0));
    hover(2, 1);
    EXPECT_FALSE(tipShown());
}

TEST_F(TitleTipTest, MovingOutHidesItAndTheGridGetsTheMove) {
    model().setText(5, 2, kLongText, false);
    hover(2, 1);
    ASSERT_TRUE(tipShown());
    // The grid shows the tip again over the cell the move ended on.
    moveOnTip(onTip(cellCentre(5, 2)));
    EXPECT_FALSE(tipShown());
    pump();
    ASSERT_TRUE(tipShown());
    RECT shown{};
    GetWindowRect(tip(), &shown);
    EXPECT_EQ(shown.top, cellOnScreen(5, 2).top);
    EXPECT_EQ(shown.left, cellOnScreen(5, 2).left);

    moveOnTip(onTip(cellCentre(3, 1)));
    pump();
    EXPECT_FALSE(tipShown());
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(TitleTipTest, MovingInsideTheWidenedPartKeepsIt) {
    hover(2, 1);
    ASSERT_TRUE(tipShown());
    RECT shown{};
    GetWindowRect(tip(), &shown);
    POINT inside{shown.right - 2, (shown.top + shown.bottom) / 2};
    ScreenToClient(tip(), &inside);
    moveOnTip(inside);
    pump();
    EXPECT_TRUE(tipShown());
    EXPECT_EQ(GetCapture(), tip());
}

// A key reaches the tip only when it has the focus; mostly it goes to the
// focused grid. Either way the tip goes and the grid moves its focus.
TEST_F(TitleTipTest, KeyPressHidesItAndReachesTheGrid) {
    grid().setCurrentCell(2, 1);
    hover(2, 1);
    ASSERT_TRUE(tipShown());
    SendMessageW(tip(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_FALSE(tipShown());
    pump();
    EXPECT_EQ(model().focusCell(), (CellAddress{3, 1}));

    hover(2, 1);
    ASSERT_TRUE(tipShown());
    SendMessageW(GetFocus(), WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_FALSE(tipShown());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(model().focusCell(), (CellAddress{3, 2}));
}

TEST_F(TitleTipTest, LeftPressOnTheTipReachesTheCellBelow) {
    grid().setCurrentCell(4, 1);
    hover(2, 1);
    ASSERT_TRUE(tipShown());
    SendMessageW(tip(), WM_LBUTTONDOWN, MK_LBUTTON, pointParameter(onTip(cellCentre(2, 1))));
    EXPECT_FALSE(tipShown());
    pump();
    EXPECT_EQ(model().focusCell(), (CellAddress{2, 1}));
    EXPECT_FALSE(grid().editing());
}

TEST_F(TitleTipTest, SecondLeftPressOnTheTipIsADoubleClick) {
    model().setText(0, 2, kLongText, false);
    const auto pressOnHeader = [this]() {
        hover(0, 2);
        ASSERT_TRUE(tipShown());
        SendMessageW(tip(), WM_LBUTTONDOWN, MK_LBUTTON, pointParameter(onTip(cellCentre(0, 2))));
        pump();
        SendMessageW(grid().handle(), WM_LBUTTONUP, 0, pointParameter(cellCentre(0, 2)));
    };
    pressOnHeader();
    EXPECT_TRUE(eventsNumbered(grid_event::kFixedCellDoubleClicked).empty());
    pressOnHeader();
    const std::vector<FiredEvent> doubleClicks = eventsNumbered(grid_event::kFixedCellDoubleClicked);
    ASSERT_EQ(doubleClicks.size(), 1u);
    EXPECT_EQ(doubleClicks[0].arguments, (std::vector<std::uint32_t>{0, 2}));
}

TEST_F(TitleTipTest, TipGoesWithItsGrid) {
    hover(2, 1);
    HWND shownTip = tip();
    ASSERT_NE(shownTip, nullptr);
    recreate(tableDesign());
    EXPECT_FALSE(IsWindow(shownTip));
    EXPECT_EQ(GetCapture(), nullptr);
    SetFocus(grid().handle());
    model().setText(2, 1, kLongText, false);
    hover(2, 1);
    EXPECT_TRUE(tipShown());
}

}  // namespace
}  // namespace veltrano::grid::test
