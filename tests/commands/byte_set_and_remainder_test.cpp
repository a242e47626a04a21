#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "runtime/commands/byte_set_commands.h"
#include "runtime/commands/remainder.h"

namespace veltrano::commands {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(ByteSetCommands, LengthIsTheByteCount) {
    EXPECT_EQ(ByteSetLength(Bytes{}), 0);
    EXPECT_EQ(ByteSetLength(Bytes{0xAD, 0x66, 0x00}), 3);
}

TEST(ByteSetCommands, BlankByteSetIsZeros) {
    EXPECT_EQ(BlankByteSet(4), (Bytes{0, 0, 0, 0}));
    EXPECT_EQ(BlankByteSet(0), Bytes{});
    EXPECT_EQ(BlankByteSet(-1), Bytes{});
}

TEST(ByteSetCommands, LeftBytesClampsTheCount) {
    const Bytes bytes{1, 2, 3};
    EXPECT_EQ(LeftBytes(bytes, 2), (Bytes{1, 2}));
    EXPECT_EQ(LeftBytes(bytes, 3), bytes);
    EXPECT_EQ(LeftBytes(bytes, 100), bytes);
    EXPECT_EQ(LeftBytes(bytes, std::numeric_limits<std::int32_t>::max()), bytes);
    EXPECT_EQ(LeftBytes(bytes, 0), Bytes{});
    EXPECT_EQ(LeftBytes(bytes, -2), Bytes{});
    EXPECT_EQ(LeftBytes(Bytes{}, 5), Bytes{});
}

std::optional<double> remainderOf(std::initializer_list<double> values) {
    const std::vector<double> list(values);
    return Remainder(list);
}

TEST(RemainderCommand, KeepsTheDividendsSign) {
    EXPECT_EQ(remainderOf({7.0, 3.0}), 1.0);
    EXPECT_EQ(remainderOf({-7.0, 3.0}), -1.0);
    EXPECT_EQ(remainderOf({7.0, -3.0}), 1.0);
    EXPECT_EQ(remainderOf({5.5, 2.0}), 1.5);
}

TEST(RemainderCommand, ChainsLeftToRight) {
    EXPECT_EQ(remainderOf({100.0, 30.0, 7.0}), 3.0);
    EXPECT_EQ(remainderOf({100.0, 7.0, 30.0}), 2.0);
}

TEST(RemainderCommand, ZeroOrNotANumberDivisorHasNoResult) {
    EXPECT_FALSE(remainderOf({7.0, 0.0}).has_value());
    EXPECT_FALSE(remainderOf({7.0, -0.0}).has_value());
    EXPECT_FALSE(remainderOf({7.0, std::numeric_limits<double>::quiet_NaN()}).has_value());
    EXPECT_FALSE(remainderOf({7.0, 3.0, 0.0}).has_value());
    EXPECT_FALSE(remainderOf({0.0, 0.0}).has_value());
}

TEST(RemainderCommand, ZeroDividendAndInfiniteDivisor) {
    EXPECT_EQ(remainderOf({0.0, 5.0}), 0.0);
    EXPECT_EQ(remainderOf({7.5, std::numeric_limits<double>::infinity()}), 7.5);
}

TEST(RemainderCommand, FewerThanTwoValues) {
    EXPECT_EQ(remainderOf({4.5}), 4.5);
    EXPECT_EQ(remainderOf({}), 0.0);
}

}  // namespace
}  // namespace veltrano::commands
