#include "tools/module_sim/output_schedule.h"

#include <gtest/gtest.h>

#include <vector>

namespace veltrano::modulesim {
namespace {

TimePoint at(int ms) {
    return TimePoint{} + Millis{1000 + ms};
}

std::vector<Bytes> bytesOf(const std::deque<Chunk>& chunks) {
    std::vector<Bytes> all;
    for (const auto& chunk : chunks) {
        all.push_back(chunk.bytes);
    }
    return all;
}

TEST(OutputScheduleTest, EachReplyWaitsItsDelayAfterThePreviousWrite) {
    OutputSchedule schedule(OutputSettings{}, at(0));
    schedule.enqueue(Bytes{1}, Millis{0}, "echo", at(0));
    schedule.enqueue(Bytes{2}, Millis{30}, "record", at(0));
    schedule.enqueue(Bytes{3}, Millis{30}, "record", at(0));
    EXPECT_EQ(bytesOf(schedule.takeDue(at(0))), (std::vector<Bytes>{{1}}));
    EXPECT_EQ(schedule.nextDue(), at(30));
    EXPECT_TRUE(schedule.takeDue(at(29)).empty());
    // Written late: the next one still keeps its full distance.
    EXPECT_EQ(bytesOf(schedule.takeDue(at(45))), (std::vector<Bytes>{{2}}));
    EXPECT_EQ(schedule.nextDue(), at(75));
    EXPECT_TRUE(schedule.takeDue(at(74)).empty());
    EXPECT_EQ(bytesOf(schedule.takeDue(at(75))), (std::vector<Bytes>{{3}}));
    EXPECT_FALSE(schedule.nextDue());
}

TEST(OutputScheduleTest, DelayCountsFromQueuingOnAnIdleLine) {
    OutputSchedule schedule(OutputSettings{}, at(0));
    schedule.enqueue(Bytes{0xFA, 0xED}, Millis{300}, "learned", at(500));
    EXPECT_EQ(schedule.nextDue(), at(800));
    EXPECT_TRUE(schedule.takeDue(at(799)).empty());
    EXPECT_EQ(schedule.takeDue(at(800)).size(), 1u);
}

TEST(OutputScheduleTest, SplitSendsOneBytePerWrite) {
    OutputSettings settings;
    settings.split = true;
    settings.splitGap = Millis{2};
    OutputSchedule schedule(settings, at(0));
    schedule.enqueue(Bytes{0xDA, 0xDB, 0x01}, Millis{0}, "record", at(0));
    auto first = schedule.takeDue(at(0));
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0].bytes, Bytes{0xDA});
    EXPECT_FALSE(first[0].frameEnd);
    EXPECT_EQ(schedule.nextDue(), at(2));
    EXPECT_EQ(bytesOf(schedule.takeDue(at(2))), (std::vector<Bytes>{{0xDB}}));
    const auto last = schedule.takeDue(at(4));
    ASSERT_EQ(last.size(), 1u);
    EXPECT_EQ(last[0].bytes, Bytes{0x01});
    EXPECT_TRUE(last[0].frameEnd);
}

TEST(OutputScheduleTest, NoiseComesOnlyOnAQuietLineAndKeepsClear) {
    OutputSettings settings;
    settings.noise = true;
    settings.noiseInterval = Millis{100};
    settings.noiseClearance = Millis{30};
    OutputSchedule schedule(settings, at(0));
    const auto wake = schedule.nextDue();
    ASSERT_TRUE(wake);
    EXPECT_GE(*wake, at(50));
    EXPECT_LE(*wake, at(150));
    const auto burst = schedule.takeDue(*wake);
    ASSERT_EQ(burst.size(), 1u);
    EXPECT_EQ(burst[0].kind, "noise");
    EXPECT_GE(burst[0].bytes.size(), 1u);
    EXPECT_NE(burst[0].bytes[0], 0xAD);
    EXPECT_NE(burst[0].bytes[0], 0xDA);
    EXPECT_NE(burst[0].bytes[0], 0xFA);
    // An echo right after a burst waits until the burst is clear of it.
    const TimePoint burstTime = *wake;
    schedule.enqueue(Bytes{1}, Millis{0}, "echo", burstTime + Millis{5});
    EXPECT_EQ(schedule.nextDue(), burstTime + Millis{30});
    EXPECT_EQ(bytesOf(schedule.takeDue(burstTime + Millis{30})), (std::vector<Bytes>{{1}}));
}

TEST(OutputScheduleTest, ClearDropsEverythingQueued) {
    OutputSchedule schedule(OutputSettings{}, at(0));
    schedule.enqueue(Bytes{1}, Millis{10}, "record", at(0));
    schedule.clear();
    EXPECT_FALSE(schedule.nextDue());
    EXPECT_TRUE(schedule.takeDue(at(100)).empty());
}

}  // namespace
}  // namespace veltrano::modulesim
