#include "tests/grid_control/grid_fixture.h"

#include <utility>

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
    EXPECT_GT(count(draw(), area, 0x0000FF), 0);
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
    EXPECT_GE(count(pixels, PixelRect{unchecked.left, unchecked.top, unchecked.right - 2, unchecked.bottom - 2},
                    kLineColour),
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
    EXPECT_EQ(at(pixels, shown.left + model().cell(2, 2)->margin, (shown.top + shown.bottom) / 2), kRed);
    EXPECT_EQ(count(pixels, cell(3, 2), kRed), 0);  // no such image
    EXPECT_EQ(count(pixels, cell(4, 1), kRed), 0);  // 8 + 2 x 9 pixels do not fit in 20
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
