#include "grid/control/title_tip.h"

#include <algorithm>
#include <string>
#include <vector>

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
    // One title tip test at a time across the test processes, and above
    // other programs' windows, so the window under a point is this test's.
    TitleTipTest() : turn_(CreateMutexW(nullptr, FALSE, L"VeltranoTitleTipTestTurn")) {
        if (turn_) WaitForSingleObject(turn_.get(), INFINITE);
        SetWindowPos(parent_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetFocus(grid().handle());
        model().setText(2, 1, kLongText, false);
        model().setText(3, 1, "ab", false);
    }

    ~TitleTipTest() override {
        if (parent_ != nullptr) DestroyWindow(parent_);
        parent_ = nullptr;
        if (turn_) ReleaseMutex(turn_.get());
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
    void hover(std::int32_t row, std::int32_t column) {
        // Other programs running beside the tests may have taken the focus.
        if (GetFocus() == nullptr) SetFocus(grid().handle());
        SendMessageW(grid().handle(), WM_MOUSEMOVE, 0, pointParameter(cellCentre(row, column)));
    }
    void moveOnTip(POINT tipPoint) { SendMessageW(tip(), WM_MOUSEMOVE, 0, pointParameter(tipPoint)); }
    // A point given in the grid's client area, as the tip's client sees it.
    POINT onTip(POINT gridPoint) {
        MapWindowPoints(grid().handle(), tip(), &gridPoint, 1);
        return gridPoint;
    }
    // Runs what the tip handed on. The system's own mouse reports, made
    // wherever the real cursor happens to be, stay in the queue.
    static void pump() {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_POSTMESSAGE | PM_QS_SENDMESSAGE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    // The tip as it draws itself, read back pixel by pixel.
    struct TipImage {
        std::vector<COLORREF> pixels;
        int width = 0;
        COLORREF at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
        long count(COLORREF colour) const {
            return static_cast<long>(std::count(pixels.begin(), pixels.end(), colour));
        }
    };
    TipImage drawnTip() {
        RECT client{};
        GetClientRect(tip(), &client);
        TipImage image;
        image.width = client.right;
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
        ReleaseDC(nullptr, screen);
        HGDIOBJ previous = SelectObject(dc, bitmap);
        SendMessageW(tip(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        for (int y = 0; y < client.bottom; ++y) {
            for (int x = 0; x < client.right; ++x) image.pixels.push_back(GetPixel(dc, x, y));
        }
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
        return image;
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

    win::UniqueKernelHandle turn_;
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

TEST_F(TitleTipTest, PlainCellsShowInTipColoursAndColouredCellsKeepTheirLook) {
    hover(2, 1);
    ASSERT_TRUE(tipShown());
    const TipImage plain = drawnTip();
    EXPECT_EQ(plain.at(1, 1), GetSysColor(COLOR_INFOBK));
    EXPECT_GT(plain.count(GetSysColor(COLOR_INFOTEXT)), 20);

    model().setText(4, 1, kLongText, false);
    model().setBackgroundColour(4, 1, 0x00C0FFC0);
    model().setTextColour(4, 1, 0x000000C0);
    moveOnTip(onTip(cellCentre(4, 1)));
    pump();
    ASSERT_TRUE(tipShown());
    const TipImage coloured = drawnTip();
    EXPECT_EQ(coloured.at(1, 1), 0x00C0FFC0u);
    EXPECT_GT(coloured.count(0x000000C0), 20);
    EXPECT_EQ(coloured.count(GetSysColor(COLOR_INFOBK)), 0);
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
    EXPECT_EQ(model().focusCell(), (CellAddress{3, 1}));

    hover(2, 1);
    ASSERT_TRUE(tipShown());
    SendMessageW(grid().handle(), WM_KEYDOWN, VK_RIGHT, 0);
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
    EXPECT_EQ(doubleClicks[0].arguments, (std::vector<EventWord>{0, 2}));
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
