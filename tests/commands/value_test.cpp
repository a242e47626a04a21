#include "runtime/commands/value.h"

#include <gtest/gtest.h>

#include <bit>
#include <vector>

namespace veltrano::commands {
namespace {

ValueTriple triple(std::uint32_t low, std::uint32_t high, std::uint32_t type) {
    return ValueTriple{low, high, type};
}

TEST(ValueFromWords, IntegerKindsTakeTheirWidth) {
    const auto byte = valueFromWords(triple(0x1FF, 0xDEAD, type_code::kByte));
    ASSERT_TRUE(byte);
    EXPECT_EQ(byte->kind(), ValueKind::Byte);
    EXPECT_EQ(byte->integerValue(), 0xFF);

    const auto shortValue = valueFromWords(triple(0xFFFF8000u, 0, type_code::kShort));
    ASSERT_TRUE(shortValue);
    EXPECT_EQ(shortValue->integerValue(), -32768);

    const auto integer = valueFromWords(triple(0xFFFFFFFEu, 0xFFFFFFFFu, type_code::kInteger));
    ASSERT_TRUE(integer);
    EXPECT_EQ(integer->integerValue(), -2);

    const auto longValue = valueFromWords(triple(0x89ABCDEFu, 0x01234567u, type_code::kLong));
    ASSERT_TRUE(longValue);
    EXPECT_EQ(longValue->kind(), ValueKind::Long);
    EXPECT_EQ(longValue->integerValue(), 0x0123456789ABCDEFLL);
}

TEST(ValueFromWords, RealsAreBitPatterns) {
    const auto single = valueFromWords(triple(std::bit_cast<std::uint32_t>(0.1f), 0, type_code::kFloat));
    ASSERT_TRUE(single);
    EXPECT_EQ(single->kind(), ValueKind::Float);
    EXPECT_EQ(single->realValue(), static_cast<double>(0.1f));

    const auto bits = std::bit_cast<std::uint64_t>(45000.5);
    const auto date = valueFromWords(
        triple(static_cast<std::uint32_t>(bits), static_cast<std::uint32_t>(bits >> 32), type_code::kDateTime));
    ASSERT_TRUE(date);
    EXPECT_EQ(date->kind(), ValueKind::DateTime);
    EXPECT_EQ(date->realValue(), 45000.5);
}

TEST(ValueFromWords, BoolSubroutineAndNone) {
    EXPECT_EQ(valueFromWords(triple(2, 0, type_code::kBool))->integerValue(), 1);
    EXPECT_EQ(valueFromWords(triple(0x401000, 0, type_code::kSubroutine))->integerValue(), 0x401000);
    EXPECT_EQ(valueFromWords(triple(5, 5, type_code::kNone))->kind(), ValueKind::None);
}

TEST(ValueFromWords, AddressedValuesAreLeftToTheCaller) {
    EXPECT_FALSE(valueFromWords(triple(0x1000, 0, type_code::kText)));
    EXPECT_FALSE(valueFromWords(triple(0x1000, 0, type_code::kByteSet)));
    EXPECT_FALSE(valueFromWords(triple(0x1000, 0, type_code::kInteger | type_code::kArrayFlag)));
}

TEST(ValueFromWords, ComponentAndUserTypesAreOther) {
    EXPECT_EQ(valueFromWords(triple(0x52010001, 0x6010000, 0x10001))->kind(), ValueKind::Other);
    EXPECT_EQ(valueFromWords(triple(0, 0, 0x40000001))->kind(), ValueKind::Other);
}

TEST(ValueAccessors, WrongKindGivesNothing) {
    const std::vector<std::uint8_t> bytes{1, 2, 3};
    const Value set = Value::byteSet(bytes);
    EXPECT_EQ(set.integerValue(), 0);
    EXPECT_EQ(set.realValue(), 0.0);
    EXPECT_EQ(set.bytes().size(), 3u);
    const Value number = Value::integer(5);
    EXPECT_TRUE(number.bytes().empty());
    EXPECT_TRUE(number.textBytes().empty());
    EXPECT_EQ(number.realValue(), 0.0);
    EXPECT_EQ(Value::real(2.5).integerValue(), 0);
}

}  // namespace
}  // namespace veltrano::commands
