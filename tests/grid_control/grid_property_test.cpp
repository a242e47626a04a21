#include "components/classdata/grid_design_data.h"
#include "grid/control/grid_class.h"
#include "tests/grid_control/grid_fixture.h"

namespace veltrano::grid::test {
namespace {

class GridPropertyTest : public GridFixture {
protected:
    std::uint32_t read(GridProperty property) {
        RawValue value{0xDEAD, 0xBEEF};
        const auto routine = classRoutine<ReadPropertyRoutine>(kGridClass, class_interface::kReadProperty);
        routine(&grid(), static_cast<int>(property), &value);
        return value.number();
    }
    void write(GridProperty property, std::uint32_t word) {
        const auto routine = classRoutine<WritePropertyRoutine>(kGridClass, class_interface::kWriteProperty);
        const RawValue value{word, 0};
        EXPECT_EQ(routine(&grid(), static_cast<int>(property), &value, 0), 0);
    }
};

TEST_F(GridPropertyTest, TheClassCoversTheCommonAndTheGridsOwnProperties) {
    EXPECT_EQ(kGridClass.classId, 0x30001u);
    EXPECT_EQ(kGridClass.propertyCount, 38u);
    EXPECT_EQ(kGridClass.properties[25].kind, static_cast<std::uint16_t>(PropertyKind::BackgroundColour));
    EXPECT_EQ(kGridClass.properties[17].kind, static_cast<std::uint16_t>(PropertyKind::Integer));
    EXPECT_EQ(kGridClass.interfaces(7), nullptr);
}

TEST_F(GridPropertyTest, TheClassDataBuildsTheGrid) {
    EXPECT_EQ(model().rowCount(), 20);
    EXPECT_EQ(model().columnCount(), 4);
    EXPECT_EQ(model().fixedRowCount(), 1);
    EXPECT_EQ(model().rowHeight(7), 24);
    EXPECT_EQ(model().columnWidth(3), 80);
    EXPECT_EQ(read(GridProperty::RowCount), 20u);
    EXPECT_EQ(read(GridProperty::GridLineColour), 0x808080u);
    EXPECT_EQ(read(GridProperty::BackgroundColour), 0x00C000u);
}

TEST_F(GridPropertyTest, AbsentClassDataGivesTheDefaultGrid) {
    const auto create = classRoutine<CreateRoutine>(kGridClass, class_interface::kCreate);
    WindowObject* made =
        create(nullptr, 0, WS_VISIBLE, parent_, 6, nullptr, 0, 0, 200, 100, kWindowId, kComponentId + 1, 0, 0);
    CGridCtrl* other = gridFromObject(made);
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->model().rowCount(), 5);
    EXPECT_EQ(other->model().rowHeight(0), 24);
    EXPECT_EQ(other->design().selectionBackColor, GetSysColor(COLOR_HIGHLIGHT));
    delete other;
}

TEST_F(GridPropertyTest, ANewerClassDataVersionMakesNoGrid) {
    std::vector<std::uint8_t> bytes = classdata::encode(tableDesign());
    bytes[0] = 13;
    const auto create = classRoutine<CreateRoutine>(kGridClass, class_interface::kCreate);
    EXPECT_EQ(create(bytes.data(), static_cast<std::uint32_t>(bytes.size()), WS_VISIBLE, parent_, 6, nullptr, 0, 0, 200,
                     100, kWindowId, kComponentId + 1, 0, 0),
              nullptr);
}

TEST_F(GridPropertyTest, RowCountsOfZeroOrLessAreRefused) {
    write(GridProperty::RowCount, 0);
    write(GridProperty::RowCount, static_cast<std::uint32_t>(-4));
    EXPECT_EQ(read(GridProperty::RowCount), 20u);
    write(GridProperty::RowCount, 93);
    EXPECT_EQ(model().rowCount(), 93);
    EXPECT_EQ(model().rowHeight(92), 24);
}

TEST_F(GridPropertyTest, RowHeightAndColumnWidthApplyToEveryRowAndColumn) {
    model().setRowHeight(3, 50);
    write(GridProperty::RowHeight, 30);
    EXPECT_EQ(model().rowHeight(3), 30);
    EXPECT_EQ(model().rowHeight(19), 30);
    write(GridProperty::ColumnWidth, 120);
    EXPECT_EQ(model().columnWidth(0), 120);
    EXPECT_EQ(read(GridProperty::ColumnWidth), 120u);
}

TEST_F(GridPropertyTest, EnumeratedValuesOutOfRangeAreClamped) {
    write(GridProperty::GridLines, 9);
    EXPECT_EQ(read(GridProperty::GridLines), 3u);
    write(GridProperty::EnterMode, static_cast<std::uint32_t>(-2));
    EXPECT_EQ(read(GridProperty::EnterMode), 0u);
    write(GridProperty::BorderStyle, 40);
    EXPECT_EQ(read(GridProperty::BorderStyle), 5u);
    EXPECT_NE(GetWindowLongPtrW(grid().handle(), GWL_STYLE) & WS_BORDER, 0);
}

TEST_F(GridPropertyTest, WholeRowSelectionSwitchesSelectionOn) {
    write(GridProperty::SelectionAllowed, 0);
    EXPECT_EQ(read(GridProperty::SelectionAllowed), 0u);
    write(GridProperty::WholeRowSelection, 1);
    EXPECT_EQ(read(GridProperty::SelectionAllowed), 1u);
    EXPECT_TRUE(model().settings().selectionAllowed);
}

TEST_F(GridPropertyTest, GridLineWidthRaisesTheMinimumColumnWidth) {
    write(GridProperty::GridLineWidth, 4);
    EXPECT_EQ(model().minimumColumnWidth(), 10);
    EXPECT_TRUE(model().setColumnWidth(2, 3, false));
    EXPECT_EQ(model().columnWidth(2), 10);
}

TEST_F(GridPropertyTest, TheSavedStateRebuildsTheSameGrid) {
    write(GridProperty::FixedColumnCount, 2);
    write(GridProperty::EnterMode, 2);
    write(GridProperty::ExtraColour, 0x123456);
    const auto save = classRoutine<SaveStateRoutine>(kGridClass, class_interface::kSaveState);
    const std::vector<std::uint8_t> state = save(&grid());
    const std::optional<classdata::GridDesignData> decoded = classdata::decode<classdata::GridDesignData>(state);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->fixedColumnCount, 2);
    EXPECT_EQ(decoded->enterMode, 2);
    EXPECT_EQ(decoded->extraColor, 0x123456u);
    EXPECT_EQ(decoded->rowCount, 20);
    recreate(*decoded);
    EXPECT_EQ(model().fixedColumnCount(), 2);
    EXPECT_EQ(read(GridProperty::ExtraColour), 0x123456u);
}

TEST_F(GridPropertyTest, UnknownIndicesAreIgnored) {
    EXPECT_FALSE(grid().writeProperty(30, RawValue{1, 0}));
    RawValue value{7, 7};
    const auto routine = classRoutine<ReadPropertyRoutine>(kGridClass, class_interface::kReadProperty);
    routine(&grid(), 31, &value);
    EXPECT_EQ(value.word1, 0u);
}

}  // namespace
}  // namespace veltrano::grid::test
