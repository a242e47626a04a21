#include "runtime/loading/load_plan.h"

#include <gtest/gtest.h>

#include <map>

#include "tests/template/template_builders.h"

namespace veltrano {
namespace {

using test::componentRecord;
using test::namedComponent;

constexpr std::uint32_t kWindowClass = 0x10001;
constexpr std::uint32_t kGroupClass = 0x10009;
constexpr std::uint32_t kLabelClass = 0x1000A;
constexpr std::uint32_t kButtonClass = 0x1000B;
constexpr std::uint32_t kTimerClass = 0x10020;
constexpr std::uint32_t kTabsClass = 0x10030;  // a paged container

std::optional<std::uint32_t> flagsOf(std::uint32_t classId) {
    static const std::map<std::uint32_t, std::uint32_t> flags = {
        {kWindowClass, 0x800000D0}, {kGroupClass, 0x840140C0}, {kLabelClass, 0x84012040},
        {kButtonClass, 0x80000840}, {kTimerClass, 0x80008040}, {kTabsClass, 0x80000140},
    };
    auto it = flags.find(classId);
    if (it == flags.end()) return std::nullopt;
    return it->second;
}

class LoadPlanTest : public ::testing::Test {
protected:
    void add(std::uint32_t id, ComponentRecordData data) { table.append(id, componentRecord(data)); }

    ComponentRecordData window() {
        ComponentRecordData data = namedComponent(kWindowClass, "");
        data.flags = record_flag::kVisible;
        return data;
    }

    const CreationStep& stepOf(const LoadPlan& plan, std::size_t index) {
        for (const CreationStep& step : plan.steps) {
            if (step.index == index) return step;
        }
        throw std::out_of_range("no step");
    }

    ComponentTable table;
};

TEST_F(LoadPlanTest, WindowFirstThenTheEntriesFromLastToFirstWithControlIds) {
    add(0x06010000, window());
    add(0x16000001, namedComponent(kButtonClass, "a"));
    add(0x16000002, namedComponent(kButtonClass, "b"));
    add(0x16000003, namedComponent(kLabelClass, "c"));
    const auto plan = planWindowLoad(table, flagsOf, false);
    ASSERT_TRUE(plan.has_value());
    ASSERT_EQ(plan->steps.size(), 4u);
    EXPECT_EQ(plan->steps[0].index, 0u);
    EXPECT_EQ(plan->steps[0].controlId, 0u);
    EXPECT_EQ(plan->steps[1].index, 3u);
    EXPECT_EQ(plan->steps[1].controlId, 100u);
    EXPECT_EQ(plan->steps[2].index, 2u);
    EXPECT_EQ(plan->steps[2].controlId, 110u);
    EXPECT_EQ(plan->steps[3].index, 1u);
    EXPECT_EQ(plan->steps[3].controlId, 120u);
}

TEST_F(LoadPlanTest, VisibilityAndStyleFollowFlagsAndClass) {
    add(0x06010000, window());
    ComponentRecordData disabledButton = namedComponent(kButtonClass, "disabled");
    disabledButton.flags = record_flag::kVisible | record_flag::kDisabled | record_flag::kTabStop;
    add(0x16000001, disabledButton);
    ComponentRecordData timer = namedComponent(kTimerClass, "timer");
    timer.flags = record_flag::kVisible | record_flag::kDisabled | record_flag::kTabStop;
    add(0x16000002, timer);
    add(0x16000003, namedComponent(kLabelClass, "hidden"));

    const auto plan = planWindowLoad(table, flagsOf, false);
    ASSERT_TRUE(plan.has_value());
    const CreationStep& button = stepOf(*plan, 1);
    EXPECT_TRUE(button.startVisible);
    EXPECT_EQ(button.style, creation_style::kDisabled | creation_style::kTabStop);
    // A never-visible class starts hidden and is not disabled, but the tab
    // stop flag still adds its style.
    const CreationStep& timerStep = stepOf(*plan, 2);
    EXPECT_FALSE(timerStep.startVisible);
    EXPECT_EQ(timerStep.style, creation_style::kTabStop);
    EXPECT_FALSE(stepOf(*plan, 3).startVisible);
}

TEST_F(LoadPlanTest, ReloadedWindowStartsVisibleWithoutStyle) {
    ComponentRecordData self = window();
    self.flags = record_flag::kDisabled;
    add(0x06010000, self);
    const auto first = planWindowLoad(table, flagsOf, false);
    ASSERT_TRUE(first.has_value());
    EXPECT_FALSE(first->steps[0].startVisible);
    EXPECT_EQ(first->steps[0].style, creation_style::kDisabled);
    const auto again = planWindowLoad(table, flagsOf, true);
    ASSERT_TRUE(again.has_value());
    EXPECT_TRUE(again->steps[0].startVisible);
    EXPECT_EQ(again->steps[0].style, 0u);
}

TEST_F(LoadPlanTest, ChildrenOfAGroupBoxStackBehindEachOtherInTableOrder) {
    add(0x06010000, window());
    add(0x16000001, namedComponent(kButtonClass, "top-level"));
    ComponentRecordData group = namedComponent(kGroupClass, "group");
    group.childIds = {0x16000004, 0x16000003};
    add(0x16000002, group);
    add(0x16000003, namedComponent(kLabelClass, "first", 0x16000002));
    add(0x16000004, namedComponent(kButtonClass, "second", 0x16000002));
    add(0x16000005, namedComponent(kButtonClass, "last"));

    const auto plan = planWindowLoad(table, flagsOf, false);
    ASSERT_TRUE(plan.has_value());
    ASSERT_EQ(plan->parents.size(), 5u);
    EXPECT_FALSE(plan->parents[0].parentIndex.has_value());
    EXPECT_EQ(plan->parents[2].parentIndex, std::optional<std::size_t>(2));
    ASSERT_EQ(plan->stacking.size(), 2u);
    EXPECT_FALSE(plan->stacking[0].first.has_value());
    EXPECT_EQ(plan->stacking[0].second, (std::vector<std::size_t>{1, 2, 5}));
    EXPECT_EQ(plan->stacking[1].first, std::optional<std::size_t>(2));
    EXPECT_EQ(plan->stacking[1].second, (std::vector<std::size_t>{3, 4}));
}

TEST_F(LoadPlanTest, ChildrenAfterAPageBreakStartHidden) {
    add(0x06010000, window());
    ComponentRecordData tabs = namedComponent(kTabsClass, "tabs");
    tabs.childIds = {0x16000002, 0, 0x16000003};
    add(0x16000001, tabs);
    add(0x16000002, namedComponent(kButtonClass, "page one", 0x16000001));
    add(0x16000003, namedComponent(kButtonClass, "page two", 0x16000001));
    const auto plan = planWindowLoad(table, flagsOf, false);
    ASSERT_TRUE(plan.has_value());
    EXPECT_EQ(plan->hiddenByPage, std::vector<std::size_t>{3});
}

TEST_F(LoadPlanTest, OnlyPagedContainersHidePages) {
    add(0x06010000, window());
    ComponentRecordData group = namedComponent(kGroupClass, "group");
    group.childIds = {0x16000002, 0, 0x16000003};
    add(0x16000001, group);
    add(0x16000002, namedComponent(kButtonClass, "a", 0x16000001));
    add(0x16000003, namedComponent(kButtonClass, "b", 0x16000001));
    const auto plan = planWindowLoad(table, flagsOf, false);
    ASSERT_TRUE(plan.has_value());
    EXPECT_TRUE(plan->hiddenByPage.empty());
}

TEST_F(LoadPlanTest, AWindowWithOnlyItsOwnEntryIsAnEmptyWindow) {
    add(0x06010000, window());
    const auto plan = planWindowLoad(table, flagsOf, false);
    ASSERT_TRUE(plan.has_value());
    EXPECT_EQ(plan->steps.size(), 1u);
    EXPECT_TRUE(plan->parents.empty());
}

TEST_F(LoadPlanTest, EmptyTableOrUnknownClassCannotLoad) {
    EXPECT_FALSE(planWindowLoad(table, flagsOf, false).has_value());
    add(0x06010000, window());
    add(0x16000001, namedComponent(0x50001, "unknown class"));
    EXPECT_FALSE(planWindowLoad(table, flagsOf, false).has_value());
}

}  // namespace
}  // namespace veltrano
