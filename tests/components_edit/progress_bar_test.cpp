#include <windows.h>
// The common controls' declarations need the window system's types first.
#include <commctrl.h>
#include <gtest/gtest.h>

#include "components/classdata/progress_bar_data.h"
#include "components/progress_bar/progress_bar_class.h"
#include "components/progress_bar/progress_bar_object.h"
#include "tests/components_edit/component_fixture.h"

namespace veltrano::test {
namespace {

namespace p = progress_bar_property;

class ProgressBarTest : public ComponentFixture {
protected:
    ProgressBarObject* make(const classdata::ProgressBarData& data) {
        return static_cast<ProgressBarObject*>(create(kProgressBarClass, classdata::encode(data), 200, 20));
    }
    int writeInt(ProgressBarObject* bar, int index, std::int32_t value) {
        return write(kProgressBarClass, bar, index, RawValue{static_cast<std::uint32_t>(value), 0});
    }
    static PBRANGE range(ProgressBarObject* bar) {
        PBRANGE r{};
        SendMessageW(bar->handle(), PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&r));
        return r;
    }
};

TEST_F(ProgressBarTest, PositionBeyondTheRangeShowsFullAndReadsBackAsWritten) {
    ProgressBarObject* bar = make(classdata::ProgressBarData{});
    ASSERT_NE(bar, nullptr);
    writeInt(bar, p::kPosition, 40);
    EXPECT_EQ(bar->shownPosition(), 40);
    writeInt(bar, p::kPosition, 150);
    EXPECT_EQ(bar->shownPosition(), 100);
    EXPECT_EQ(readInt(kProgressBarClass, bar, p::kPosition), 150);
    writeInt(bar, p::kPosition, -3);
    EXPECT_EQ(readInt(kProgressBarClass, bar, p::kPosition), 0);
    EXPECT_EQ(bar->shownPosition(), 0);
}

TEST_F(ProgressBarTest, ReversedEndsMakeAnOrderedRange) {
    classdata::ProgressBarData data;
    data.Minimum = 100;
    data.Maximum = 0;
    data.Position = 30;
    ProgressBarObject* bar = make(data);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(range(bar).iLow, 0);
    EXPECT_EQ(range(bar).iHigh, 100);
    EXPECT_EQ(bar->shownPosition(), 30);
}

TEST_F(ProgressBarTest, RangeWritesClampAndKeepThePositionInside) {
    ProgressBarObject* bar = make(classdata::ProgressBarData{});
    ASSERT_NE(bar, nullptr);
    writeInt(bar, p::kPosition, 80);
    writeInt(bar, p::kMaximum, 50000);
    EXPECT_EQ(readInt(kProgressBarClass, bar, p::kMaximum), 32767);
    writeInt(bar, p::kMaximum, 60);
    EXPECT_EQ(bar->shownPosition(), 60);
    writeInt(bar, p::kMinimum, -5);
    EXPECT_EQ(readInt(kProgressBarClass, bar, p::kMinimum), 0);
}

TEST_F(ProgressBarTest, OrientationAndBarStyleAskForRecreationWhenChanged) {
    ProgressBarObject* bar = make(classdata::ProgressBarData{});
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(writeInt(bar, p::kOrientation, 0), 0);
    EXPECT_EQ(writeInt(bar, p::kOrientation, 4), 1);
    EXPECT_EQ(readInt(kProgressBarClass, bar, p::kOrientation), 1);
    EXPECT_EQ(writeInt(bar, p::kBarStyle, 1), 1);
    EXPECT_EQ(writeInt(bar, p::kBorderStyle, 9), 0);
    EXPECT_EQ(readInt(kProgressBarClass, bar, p::kBorderStyle), 5);
    EXPECT_NE(GetWindowLongPtrW(bar->handle(), GWL_STYLE) & WS_BORDER, 0);
}

TEST_F(ProgressBarTest, SavedStateCreatesTheSameBar) {
    ProgressBarObject* bar = make(classdata::ProgressBarData{});
    ASSERT_NE(bar, nullptr);
    writeInt(bar, p::kOrientation, 1);
    writeInt(bar, p::kBarStyle, 1);
    writeInt(bar, p::kMaximum, 78);
    writeInt(bar, p::kPosition, 12);
    auto* again = static_cast<ProgressBarObject*>(create(kProgressBarClass, save(kProgressBarClass, bar), 20, 200));
    ASSERT_NE(again, nullptr);
    const auto style = GetWindowLongPtrW(again->handle(), GWL_STYLE);
    EXPECT_NE(style & PBS_VERTICAL, 0);
    EXPECT_NE(style & PBS_SMOOTH, 0);
    EXPECT_EQ(range(again).iHigh, 78);
    EXPECT_EQ(again->shownPosition(), 12);
}

TEST_F(ProgressBarTest, NewerClassDataCreatesNothing) {
    std::vector<std::uint8_t> block = classdata::encode(classdata::ProgressBarData{});
    block[0] = 2;
    EXPECT_EQ(create(kProgressBarClass, block, 100, 20), nullptr);
}

}  // namespace
}  // namespace veltrano::test
