#include <string>
#include <utility>

#include "tests/grid_control/grid_fixture.h"

namespace veltrano::grid::test {
namespace {

constexpr COLORREF kLineColour = 0x808080;
constexpr COLORREF kHeaderColour = 0x00C000;
constexpr COLORREF kCellColour = 0xFFFFFF;

class GridDrawingTest : public GridFixture {
protected:
    std::vector<COLORREF> draw() { return render(width_, height_); }
    COLORREF at(const std::vector<COLORREF>& pixels, int x, int y) const { return pixel(pixels, width_, x, y); }
    PixelRect cell(std::int32_t row, std::int32_t column) { return grid().geometry().cellRect(row, column); }
    // Pixels of a colour inside a rectangle.
    int count(const std::vector<COLORREF>& pixels, const PixelRect& area, COLORREF colour) const {
        int found = 0;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) found += at(pixels, x, y) == colour ? 1 : 0;
        }
        return found;
    }

    int width_ = 0;
    int height_ = 0;
};

TEST_F(GridDrawingTest, GridLinesLieOnTheRightAndBottomEdgesOfBodyCells) {
    const std::vector<COLORREF> pixels = draw();
    const PixelRect body = cell(2, 2);
    const int middleY = (body.top + body.bottom) / 2;
    const int middleX = (body.left + body.right) / 2;
    EXPECT_EQ(at(pixels, body.right - 1, middleY), kLineColour);
    EXPECT_EQ(at(pixels, middleX, body.bottom - 1), kLineColour);
    EXPECT_EQ(at(pixels, middleX, middleY), kCellColour);
}

TEST_F(GridDrawingTest, HeaderCellsShowTheControlBackground) {
    const std::vector<COLORREF> pixels = draw();
    const PixelRect header = cell(0, 2);
    EXPECT_EQ(at(pixels, (header.left + header.right) / 2, (header.top + header.bottom) / 2), kHeaderColour);
    const PixelRect rowHeader = cell(5, 0);
    EXPECT_EQ(at(pixels, (rowHeader.left + rowHeader.right) / 2, (rowHeader.top + rowHeader.bottom) / 2),
              kHeaderColour);
}

TEST_F(GridDrawingTest, WithoutGridLinesNoLineIsDrawn) {
    grid().writeProperty(static_cast<int>(GridProperty::GridLines), RawValue{0, 0});
    const std::vector<COLORREF> pixels = draw();
    const PixelRect body = cell(2, 2);
    EXPECT_EQ(at(pixels, body.right - 1, (body.top + body.bottom) / 2), kCellColour);
}

TEST_F(GridDrawingTest, AMergedRangeShowsNoLineBetweenItsCells) {
    model().addMerge(MergeRecord{3, 1, 3, 1, 3, 2});
    const std::vector<COLORREF> pixels = draw();
    const PixelRect first = cell(3, 1);
    const PixelRect second = cell(3, 2);
    EXPECT_NE(at(pixels, first.right - 1, (first.top + first.bottom) / 2), kLineColour);
    EXPECT_EQ(at(pixels, second.right - 1, (second.top + second.bottom) / 2), kLineColour);
}

TEST_F(GridDrawingTest, CellsWithTheirOwnBackgroundAreFilledWithIt) {
    model().setBackgroundColour(4, 2, 0x0000FF);
    const std::vector<COLORREF> pixels = draw();
    const PixelRect coloured = cell(4, 2);
    EXPECT_EQ(at(pixels, (coloured.left + coloured.right) / 2, (coloured.top + coloured.bottom) / 2), 0x0000FFu);
}

TEST_F(GridDrawingTest, SelectedCellsUseTheSelectionBackground) {
    grid().writeProperty(static_cast<int>(GridProperty::SelectionBackgroundColour), RawValue{0xFF0000, 0});
    model().selectRange(6, 2, 6, 2);
    const std::vector<COLORREF> pixels = draw();
    const PixelRect selected = cell(6, 2);
    EXPECT_EQ(at(pixels, (selected.left + selected.right) / 2, selected.top + 3), 0xFF0000u);
}

TEST_F(GridDrawingTest, ASelectionTextColourEqualToItsBackgroundGivesWayToTheSystemHighlightText) {
    const COLORREF highlightText = GetSysColor(COLOR_HIGHLIGHTTEXT);
    const COLORREF same = highlightText == 0x123456 ? 0x654321 : 0x123456;
    grid().writeProperty(static_cast<int>(GridProperty::SelectionBackgroundColour), RawValue{same, 0});
    grid().writeProperty(static_cast<int>(GridProperty::SelectionTextColour), RawValue{same, 0});
    model().setText(6, 2, "WWWW", false);
    model().selectRange(6, 2, 6, 2);
    const std::vector<COLORREF> pixels = draw();
    const PixelRect selected = cell(6, 2);
    EXPECT_GT(count(pixels, selected, same), 100) << "the selection background";
    EXPECT_GT(count(pixels, selected, highlightText), 10) << "the text";
}

TEST_F(GridDrawingTest, CellTextIsDrawnInTheTextColour) {
    grid().writeProperty(static_cast<int>(GridProperty::CellTextColour), RawValue{0x0000FF, 0});
    const PixelRect area = cell(2, 1);
    EXPECT_EQ(count(draw(), area, 0x0000FF), 0);
    model().setText(2, 1, "WWWW", false);
    EXPECT_GT(count(draw(), area, 0x0000FF), 10);
}

TEST_F(GridDrawingTest, MaskedCellsShowAsterisksAndEmptyMaskedCellsNothing) {
    grid().writeProperty(static_cast<int>(GridProperty::CellTextColour), RawValue{0x0000FF, 0});
    model().setMasked(2, 1, 1);
    const PixelRect area = cell(2, 1);
    EXPECT_EQ(count(draw(), area, 0x0000FF), 0);
    model().setText(2, 1, "abc", false);
    // Drawn exactly as a plain cell showing three asterisks.
    model().setText(3, 1, "***", false);
    const std::vector<COLORREF> pixels = draw();
    const PixelRect plain = cell(3, 1);
    int differences = 0;
    for (int y = 0; y < area.bottom - area.top; ++y) {
        for (int x = 0; x < area.right - area.left; ++x) {
            differences += at(pixels, area.left + x, area.top + y) != at(pixels, plain.left + x, plain.top + y) ? 1 : 0;
        }
    }
    EXPECT_EQ(differences, 0);
    EXPECT_GT(count(pixels, area, 0x0000FF), 0);
}

TEST_F(GridDrawingTest, ACheckBoxNeedsARowTallerThanTheBox) {
    ColumnType type;
    type.column = 3;
    type.kind = ColumnKind::CheckBox;
    model().addColumnType(type);
    model().setRowHeight(2, 10);
    const std::vector<COLORREF> pixels = draw();
    const PixelRect small = cell(2, 3);
    EXPECT_EQ(count(pixels, PixelRect{small.left, small.top, small.right - 1, small.bottom - 1}, kCellColour),
              (small.right - 1 - small.left) * (small.bottom - 1 - small.top));
    const PixelRect tall = cell(3, 3);
    const PixelRect inside{tall.left, tall.top, tall.right - 1, tall.bottom - 1};
    EXPECT_LT(count(pixels, inside, kCellColour), (inside.right - inside.left) * (inside.bottom - inside.top));
}

TEST_F(GridDrawingTest, CheckBoxesAreTheProgramsCheckedAndUncheckedPictures) {
    ColumnType type;
    type.column = 3;
    type.kind = ColumnKind::CheckBox;
    model().addColumnType(type);
    model().setCheckState(3, 3, 1);
    const std::vector<COLORREF> pixels = draw();
    const PixelRect checked = cell(3, 3);
    const PixelRect unchecked = cell(4, 3);
    EXPECT_GT(count(pixels, checked, 0x000000), 5);
    EXPECT_EQ(count(pixels, unchecked, 0x000000), 0);
    // The box's frame, inside the cell and apart from the grid lines.
    EXPECT_GE(
        count(pixels, PixelRect{unchecked.left, unchecked.top, unchecked.right - 2, unchecked.bottom - 2}, kLineColour),
        40);
}

TEST_F(GridDrawingTest, TheSortColumnsHeaderShowsATrianglePointingByTheDirection) {
    const COLORREF shadow = GetSysColor(COLOR_3DSHADOW);
    const PixelRect header = cell(0, 2);
    const PixelRect rightHalf{(header.left + header.right) / 2, header.top + 2, header.right - 3, header.bottom - 3};
    const int before = count(draw(), rightHalf, shadow);
    grid().setSortMark(2, true);
    const std::vector<COLORREF> ascending = draw();
    EXPECT_GT(count(ascending, rightHalf, shadow), before);
    grid().setSortMark(2, false);
    const std::vector<COLORREF> descending = draw();
    EXPECT_NE(ascending, descending);
    grid().setSortMark(-1, true);
    EXPECT_EQ(count(draw(), rightHalf, shadow), before);
    EXPECT_EQ(cell(1, 2).top, header.bottom);  // only row 0 carries the mark
}

TEST_F(GridDrawingTest, CellImagesComeFromTheGridsImageListWhenTheyFit) {
    constexpr COLORREF kRed = 0x0000FF;
    UniqueImageList images(ImageList_Create(8, 8, ILC_COLOR24, 1, 1));
    ASSERT_TRUE(images);
    {
        win::WindowDc screen(nullptr);
        win::UniqueBitmap red(CreateCompatibleBitmap(screen.get(), 8, 8));
        HDC memory = CreateCompatibleDC(screen.get());
        {
            win::SelectObjectGuard select(memory, red.get());
            win::UniqueBrush brush(CreateSolidBrush(kRed));
            const RECT all{0, 0, 8, 8};
            FillRect(memory, &all, brush.get());
        }
        DeleteDC(memory);
        ASSERT_EQ(ImageList_Add(images.get(), red.get(), nullptr), 0);
    }
    grid().setImageList(std::move(images));
    model().setImageIndex(2, 2, 0);
    model().setImageIndex(3, 2, 5);
    model().setImageIndex(4, 1, 0);
    model().setColumnWidth(1, 20, false);
    const std::vector<COLORREF> pixels = draw();
    const PixelRect shown = cell(2, 2);
    EXPECT_EQ(count(pixels, shown, kRed), 64);
    EXPECT_EQ(at(pixels, shown.left + model().cell(2, 2)->margin(), (shown.top + shown.bottom) / 2), kRed);
    EXPECT_EQ(count(pixels, cell(3, 2), kRed), 0);  // no such image
    EXPECT_EQ(count(pixels, cell(4, 1), kRed), 0);  // 8 + 2 x 9 pixels do not fit in 20
}

// A table laid out like the configurator's: a header row, fixed group and
// key columns with merged group cells, codes typed and pasted into column
// 2, and a selection dragged over codes. The rendering is kept as
// application-like-table.bmp beside the test program for a look by eye.
TEST_F(GridDrawingTest, AnApplicationLikeTableTakesTypedAndPastedCodesAndShowsSelectionAndFocus) {
    constexpr COLORREF kSelection = 0xD77800;
    constexpr COLORREF kFocus = 0x0000FF;
    classdata::GridDesignData design = tableDesign();
    design.columnCount = 3;
    design.fixedColumnCount = 2;
    design.rowCount = 12;
    design.rowHeight = 22;
    design.selectionBackColor = kSelection;
    design.selectionTextColor = 0xFFFFFF;
    design.focusCellColor = kFocus;
    recreate(design);
    model().setColumnWidth(0, 60, false);
    model().setColumnWidth(1, 80, false);
    model().setColumnWidth(2, 230, false);
    model().setText(0, 0, "设备", false);
    model().setText(0, 1, "功能", false);
    model().setText(0, 2, "自定义数据", false);
    model().setText(1, 0, "时序器", false);
    model().setText(6, 0, "投影仪", false);
    for (int row = 1; row <= 11; ++row) model().setText(row, 1, "通道" + std::to_string((row + 1) / 2) + "开=", false);
    ASSERT_TRUE(grid().commands().mergeCells(1, 0, 5, 0));
    ASSERT_TRUE(grid().commands().mergeCells(6, 0, 11, 0));

    grid().setCurrentCell(2, 2);
    SendMessageW(grid().handle(), WM_CHAR, L'F', 0);
    ASSERT_TRUE(grid().editing());
    for (wchar_t character : std::wstring(L"A 20 DF 02 FD ED"))
        SendMessageW(grid().editorWindow(), WM_CHAR, character, 0);
    SendMessageW(grid().editorWindow(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(cellText(2, 2), "FA 20 DF 02 FD ED");
    grid().setCurrentCell(3, 2);
    grid().pasteText(L"FA 20 DF 03 FC ED\r\nFA 20 DF 04 FB ED\r\n");
    EXPECT_EQ(cellText(3, 2), "FA 20 DF 03 FC ED");
    EXPECT_EQ(cellText(4, 2), "FA 20 DF 04 FB ED");

    const auto centreOf = [this](std::int32_t row, std::int32_t column) {
        const PixelRect rect = cell(row, column);
        return MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    };
    SendMessageW(grid().handle(), WM_LBUTTONDOWN, MK_LBUTTON, centreOf(4, 2));
    SendMessageW(grid().handle(), WM_MOUSEMOVE, MK_LBUTTON, centreOf(7, 2));
    SendMessageW(grid().handle(), WM_LBUTTONUP, 0, centreOf(7, 2));
    EXPECT_EQ(model().focusCell(), (CellAddress{4, 2}));

    const std::vector<COLORREF> pixels = draw();
    EXPECT_TRUE(savePicture(pixels, width_, height_, L"application-like-table.bmp"));
    const PixelRect focused = cell(4, 2);
    EXPECT_GT(count(pixels, focused, kFocus), 100) << "the focus frame and its text";
    EXPECT_EQ(count(pixels, focused, kSelection), 0);
    for (std::int32_t row = 5; row <= 7; ++row) EXPECT_GT(count(pixels, cell(row, 2), kSelection), 1000) << row;
    EXPECT_EQ(count(pixels, cell(3, 2), kSelection), 0);
    EXPECT_EQ(count(pixels, cell(8, 2), kSelection), 0);
    // Inside a merged group no line crosses between its rows.
    const PixelRect group = cell(2, 0);
    EXPECT_NE(at(pixels, (group.left + group.right) / 2, group.bottom - 1), kLineColour);
    const PixelRect lastOfGroup = cell(5, 0);
    EXPECT_EQ(at(pixels, (lastOfGroup.left + lastOfGroup.right) / 2, lastOfGroup.bottom - 1), kLineColour);
}

TEST_F(GridDrawingTest, ScrollingKeepsTheHeaderRowInPlace) {
    grid().scrollTo(5, 1);
    EXPECT_EQ(grid().topRow(), 5);
    EXPECT_EQ(grid().geometry().rowTop(5), grid().geometry().fixedHeight());
    grid().scrollTo(19, 1);
    RECT client{};
    GetClientRect(grid().handle(), &client);
    EXPECT_LT(grid().topRow(), 19);
    EXPECT_LE(cell(19, 1).bottom, client.bottom);
    const std::vector<COLORREF> pixels = draw();
    const PixelRect header = cell(0, 2);
    EXPECT_EQ(at(pixels, (header.left + header.right) / 2, (header.top + header.bottom) / 2), kHeaderColour);
}

}  // namespace
}  // namespace veltrano::grid::test
