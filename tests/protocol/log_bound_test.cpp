#include "app/protocol/log_bound.h"

#include <gtest/gtest.h>

#include <string>

namespace veltrano::protocol {
namespace {

std::string lines(int count, char fill, std::size_t width) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += std::string(width, fill);
        text += "\r\n";
    }
    return text;
}

TEST(LogBoundTest, ALogWithinTheLimitKeepsEverything) {
    EXPECT_EQ(oldestLinesToDrop("", 10), 0u);
    EXPECT_EQ(oldestLinesToDrop("abc\r\ndef\r\n", 10), 0u);
}

TEST(LogBoundTest, DropsWholeOldestLinesUntilTheRestFits) {
    const std::string log = "one\r\ntwo\r\nthree\r\n";
    // 17 bytes; 12 may stay: "one\r\n" goes and exactly "two\r\nthree\r\n" is left.
    EXPECT_EQ(oldestLinesToDrop(log, 12), 5u);
    // 11 may stay: "two\r\n" must go too, as half a line is never kept.
    EXPECT_EQ(oldestLinesToDrop(log, 11), 10u);
}

TEST(LogBoundTest, TheNewestLineStaysWholeEvenWhenLongerThanTheBound) {
    const std::string log = "old\r\n" + std::string(40, 'x') + "\r\n";
    EXPECT_EQ(oldestLinesToDrop(log, 10), 5u);
    const std::string unfinished = "old\r\nolder\r\n" + std::string(40, 'y');
    EXPECT_EQ(oldestLinesToDrop(unfinished, 10), 12u);
    EXPECT_EQ(oldestLinesToDrop(std::string(40, 'z'), 10), 0u);
}

TEST(LogBoundTest, ChineseLinesAreCutOnlyAtTheirLineBreaks) {
    // "端口已关闭\r\n" in code page 936.
    const std::string closed = "\xB6\xCB\xBF\xDA\xD2\xD1\xB9\xD8\xB1\xD5\r\n";
    const std::string log = closed + closed + closed;
    const std::size_t drop = oldestLinesToDrop(log, closed.size() * 2 - 1);
    EXPECT_EQ(drop, closed.size() * 2);
    EXPECT_EQ(log.substr(drop), closed);
}

TEST(LogBoundTest, TheLimitsLeaveRoomBetweenTrims) {
    static_assert(kLogKeptBytes < kLogLimitBytes);
    const std::string log = lines(10000, 'a', 38);
    ASSERT_GT(log.size(), kLogLimitBytes);
    const std::size_t drop = oldestLinesToDrop(log, kLogKeptBytes);
    EXPECT_LE(log.size() - drop, kLogKeptBytes);
    EXPECT_GT(log.size() - drop, kLogKeptBytes - 40);
    EXPECT_EQ(drop % 40, 0u);
}

}  // namespace
}  // namespace veltrano::protocol
