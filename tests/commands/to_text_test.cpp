#include "runtime/commands/to_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "tests/support/gbk_literal.h"

namespace veltrano::commands {
namespace {

using test::gbk;

TEST(ToTextNumbers, IntegersInDecimal) {
    EXPECT_EQ(ToText(Value::byte(255)), "255");
    EXPECT_EQ(ToText(Value::byte(0)), "0");
    EXPECT_EQ(ToText(Value::shortInteger(-32768)), "-32768");
    EXPECT_EQ(ToText(Value::integer(-2147483647 - 1)), "-2147483648");
    EXPECT_EQ(ToText(Value::integer(9600)), "9600");
    EXPECT_EQ(ToText(Value::longInteger(std::numeric_limits<std::int64_t>::min())), "-9223372036854775808");
    EXPECT_EQ(ToText(Value::longInteger(1234567890123LL)), "1234567890123");
}

TEST(ToTextNumbers, DoubleHasAtMostThirteenSignificantDigits) {
    EXPECT_EQ(ToText(Value::real(0.1)), "0.1");
    EXPECT_EQ(ToText(Value::real(1.0 / 3.0)), "0.3333333333333");
    EXPECT_EQ(ToText(Value::real(2.5)), "2.5");
    EXPECT_EQ(ToText(Value::real(-100.0)), "-100");
    EXPECT_EQ(ToText(Value::real(0.0)), "0");
    EXPECT_EQ(ToText(Value::real(1234567890123.0)), "1234567890123");
    EXPECT_EQ(ToText(Value::real(12345678901234.0)), "1.234567890123e+13");
    EXPECT_EQ(ToText(Value::real(0.0001)), "0.0001");
    EXPECT_EQ(ToText(Value::real(0.00001)), "1e-05");
    EXPECT_EQ(ToText(Value::real(1e100)), "1e+100");
}

TEST(ToTextNumbers, FloatHasAtMostSixSignificantDigits) {
    EXPECT_EQ(ToText(Value::single(0.1f)), "0.1");
    EXPECT_EQ(ToText(Value::single(3.14159265f)), "3.14159");
    EXPECT_EQ(ToText(Value::single(1234567.0f)), "1.23457e+06");
    EXPECT_EQ(ToText(Value::single(999999.5f)), "1e+06");
    EXPECT_EQ(ToText(Value::single(-0.5f)), "-0.5");
}

TEST(ToTextNumbers, NonFiniteDoubles) {
    EXPECT_EQ(ToText(Value::real(std::numeric_limits<double>::infinity())), "inf");
    EXPECT_EQ(ToText(Value::real(-std::numeric_limits<double>::infinity())), "-inf");
    EXPECT_EQ(ToText(Value::real(std::numeric_limits<double>::quiet_NaN())), "nan");
}

TEST(ToTextOthers, BoolAsTrueOrFalseWords) {
    EXPECT_EQ(ToText(Value::boolean(true)), gbk("真"));
    EXPECT_EQ(ToText(Value::boolean(false)), gbk("假"));
}

TEST(ToTextOthers, TextIsCopied) {
    const std::string text = gbk("端口已关闭\r\n");
    EXPECT_EQ(ToText(Value::text(text)), text);
    EXPECT_EQ(ToText(Value::text("")), "");
}

TEST(ToTextOthers, ByteSetUpToItsFirstZeroByte) {
    const std::vector<std::uint8_t> bytes{'A', 'B', 0, 'C'};
    EXPECT_EQ(ToText(Value::byteSet(bytes)), "AB");
    const std::vector<std::uint8_t> noZero{0xB6, 0xCB, 'x'};
    EXPECT_EQ(ToText(Value::byteSet(noZero)), "\xB6\xCBx");
    EXPECT_EQ(ToText(Value::byteSet({})), "");
}

TEST(ToTextOthers, NumericArrayAsItsElementBytesUpToAZero) {
    // Two little-endian integers 0x00434241 and 7.
    const std::vector<std::uint8_t> elements{0x41, 0x42, 0x43, 0x00, 0x07, 0x00, 0x00, 0x00};
    EXPECT_EQ(ToText(Value::numericArray(elements)), "ABC");
}

TEST(ToTextOthers, OtherValuesGiveTheEmptyText) {
    EXPECT_EQ(ToText(Value::none()), "");
    EXPECT_EQ(ToText(Value::other()), "");
    EXPECT_EQ(ToText(Value::otherArray()), "");
    EXPECT_EQ(ToText(Value::subroutine(0x401000)), "");
}

TEST(ToTextOthers, DateTimeUsesTheDateWords) {
    EXPECT_EQ(ToText(Value::dateTime(45000.5)), gbk("2023年3月15日12时"));
}

}  // namespace
}  // namespace veltrano::commands
