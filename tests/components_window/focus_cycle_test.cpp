#include "components/window/focus_cycle.h"

#include <gtest/gtest.h>

#include <vector>

namespace veltrano {
namespace {

class FocusCycle : public ::testing::Test {
protected:
    // Components in list order; tab order equals list order unless given.
    std::vector<FocusEntry> entries;

    void add(bool candidate, int tabOrder) { entries.push_back(FocusEntry{candidate, tabOrder}); }
    void addInOrder(std::initializer_list<bool> candidates) {
        for (bool candidate : candidates) add(candidate, static_cast<int>(entries.size()));
    }
    std::optional<std::size_t> next(std::optional<std::size_t> focused) { return focusTarget(entries, focused, true); }
    std::optional<std::size_t> previous(std::optional<std::size_t> focused) {
        return focusTarget(entries, focused, false);
    }
};

TEST_F(FocusCycle, TabMovesToTheNextCandidateAndWrapsFromTheLastToTheFirst) {
    addInOrder({true, true, true});
    EXPECT_EQ(next(0), 1u);
    EXPECT_EQ(next(1), 2u);
    EXPECT_EQ(next(2), 0u);
}

TEST_F(FocusCycle, ShiftTabMovesBackAndWrapsFromTheFirstToTheLast) {
    addInOrder({true, true, true});
    EXPECT_EQ(previous(2), 1u);
    EXPECT_EQ(previous(0), 2u);
}

TEST_F(FocusCycle, ComponentsThatAreNoCandidatesAreSkipped) {
    addInOrder({true, false, false, true});
    EXPECT_EQ(next(0), 3u);
    EXPECT_EQ(previous(0), 3u);
    EXPECT_EQ(next(3), 0u);
}

TEST_F(FocusCycle, TabOrderNumbersDecideTheCycleNotTheListPosition) {
    add(true, 2);
    add(true, 0);
    add(true, 1);
    EXPECT_EQ(next(1), 2u);
    EXPECT_EQ(next(2), 0u);
    EXPECT_EQ(next(0), 1u);
    EXPECT_EQ(previous(1), 0u);
}

TEST_F(FocusCycle, AFocusedNonCandidateResumesAtTheFirstCandidateNotAfterIt) {
    addInOrder({true, false, true, true});
    // Index 1 (a label, say) has the focus: the first candidate in cycle
    // order whose list position is not after 1 is index 0.
    EXPECT_EQ(next(1), 0u);
    EXPECT_EQ(previous(1), 3u);
}

TEST_F(FocusCycle, AFocusedNonCandidateBeforeEveryCandidateGoesToTheEnds) {
    addInOrder({false, true, true});
    EXPECT_EQ(next(0), 1u);
    EXPECT_EQ(previous(0), 2u);
}

TEST_F(FocusCycle, FocusOutsideTheWindowStartsAtTheEnds) {
    addInOrder({true, true, false});
    EXPECT_EQ(next(std::nullopt), 0u);
    EXPECT_EQ(previous(std::nullopt), 1u);
}

TEST_F(FocusCycle, NoCandidateMeansNoMove) {
    addInOrder({false, false});
    EXPECT_FALSE(next(0).has_value());
    EXPECT_FALSE(previous(std::nullopt).has_value());
}

TEST_F(FocusCycle, ASingleCandidateStaysWhereItIs) {
    addInOrder({false, true});
    EXPECT_EQ(next(1), 1u);
    EXPECT_EQ(previous(1), 1u);
}

}  // namespace
}  // namespace veltrano
