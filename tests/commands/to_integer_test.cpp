#include "runtime/commands/to_integer.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "tests/support/gbk_literal.h"

namespace veltrano::commands {
namespace {

using test::gbk;

constexpr std::int32_t kMaxInt = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMinInt = std::numeric_limits<std::int32_t>::min();

TEST(TextToInteger, ReadsLeadingDecimalDigits) {
    EXPECT_EQ(textToInteger("42"), 42);
    EXPECT_EQ(textToInteger("  42abc"), 42);
    EXPECT_EQ(textToInteger("\t\r\n-17 5"), -17);
    EXPECT_EQ(textToInteger("+8"), 8);
    EXPECT_EQ(textToInteger("007"), 7);
}

TEST(TextToInteger, WithoutDigitsGivesZero) {
    EXPECT_EQ(textToInteger("abc"), 0);
    EXPECT_EQ(textToInteger(""), 0);
    EXPECT_EQ(textToInteger("-"), 0);
    EXPECT_EQ(textToInteger("- 5"), 0);
    EXPECT_EQ(textToInteger("0x1F"), 0);
    EXPECT_EQ(textToInteger(gbk("端口5")), 0);
}

TEST(TextToInteger, FullWidthDigitsSignsAndSpacesCountAsHalfWidth) {
    EXPECT_EQ(textToInteger(gbk("－１２３")), -123);
    EXPECT_EQ(textToInteger(gbk("　＋９６００")), 9600);
    EXPECT_EQ(textToInteger(gbk("１2３")), 123);
    EXPECT_EQ(textToInteger(gbk("　 -４5端6")), -45);
}

TEST(TextToInteger, OtherDoubleByteCharactersStopTheNumber) {
    EXPECT_EQ(textToInteger(gbk("１端２")), 1);
    EXPECT_EQ(textToInteger(std::string("5\xA3")), 5);
    EXPECT_EQ(textToInteger(std::string("\xA3")), 0);
}

TEST(TextToInteger, NumbersBeyondTheRangeStopAtItsEnds) {
    EXPECT_EQ(textToInteger("2147483647"), kMaxInt);
    EXPECT_EQ(textToInteger("-2147483648"), kMinInt);
    EXPECT_EQ(textToInteger("2147483648"), kMaxInt);
    EXPECT_EQ(textToInteger("-99999999999999999999999"), kMinInt);
}

TEST(ToIntegerByType, IntegerKindsKeepTheirValue) {
    EXPECT_EQ(ToInteger(Value::byte(200)), 200);
    EXPECT_EQ(ToInteger(Value::shortInteger(-300)), -300);
    EXPECT_EQ(ToInteger(Value::integer(kMinInt)), kMinInt);
    EXPECT_EQ(ToInteger(Value::boolean(true)), 1);
    EXPECT_EQ(ToInteger(Value::boolean(false)), 0);
    EXPECT_EQ(ToInteger(Value::subroutine(0x80401000u)), static_cast<std::int32_t>(0x80401000u));
}

TEST(ToIntegerByType, LongKeepsItsLowWord) {
    EXPECT_EQ(ToInteger(Value::longInteger(0x123456789LL)), 0x23456789);
    EXPECT_EQ(ToInteger(Value::longInteger(0xFFFFFFFFLL)), -1);
    EXPECT_EQ(ToInteger(Value::longInteger(-2)), -2);
}

TEST(ToIntegerByType, RealsTruncateTowardZero) {
    EXPECT_EQ(ToInteger(Value::real(2.9)), 2);
    EXPECT_EQ(ToInteger(Value::real(-2.9)), -2);
    EXPECT_EQ(ToInteger(Value::single(7.99f)), 7);
    EXPECT_EQ(ToInteger(Value::single(-0.5f)), 0);
}

TEST(ToIntegerByType, RealsBeyondTheRangeStopAtItsEnds) {
    EXPECT_EQ(ToInteger(Value::real(1e20)), kMaxInt);
    EXPECT_EQ(ToInteger(Value::real(-1e20)), kMinInt);
    EXPECT_EQ(ToInteger(Value::real(2147483647.9)), kMaxInt);
    EXPECT_EQ(ToInteger(Value::real(-2147483648.9)), kMinInt);
    EXPECT_EQ(ToInteger(Value::real(std::numeric_limits<double>::infinity())), kMaxInt);
    EXPECT_EQ(ToInteger(Value::real(std::numeric_limits<double>::quiet_NaN())), 0);
}

TEST(ToIntegerByType, TextIsRead) {
    EXPECT_EQ(ToInteger(Value::text("  42abc")), 42);
    const std::string fullWidth = gbk("－１２３");
    EXPECT_EQ(ToInteger(Value::text(fullWidth)), -123);
}

TEST(ToIntegerByType, OtherTypesGiveZero) {
    EXPECT_EQ(ToInteger(Value::dateTime(45000.5)), 0);
    const std::vector<std::uint8_t> bytes{'4', '2'};
    EXPECT_EQ(ToInteger(Value::byteSet(bytes)), 0);
    EXPECT_EQ(ToInteger(Value::numericArray(bytes)), 0);
    EXPECT_EQ(ToInteger(Value::other()), 0);
    EXPECT_EQ(ToInteger(Value::none()), 0);
}

}  // namespace
}  // namespace veltrano::commands
