#include "runtime/dispatch/event_arguments.h"

#include <gtest/gtest.h>

#include "runtime/values/type_codes.h"

namespace veltrano {
namespace {

using Words = std::vector<EventWord>;

TEST(TypedEventArguments, ArriveInOrderWithTheirWidths) {
    const TypedEventArgument arguments[] = {
        {7, 0, type_code::kInteger, 0},
        {0x89ABCDEF, 0x01234567, type_code::kDouble, 0},
        {3, 0, type_code::kBool, 0},
    };
    EXPECT_EQ(packTypedEventArguments(arguments), (Words{7, 0x89ABCDEF, 0x01234567, 3}));
}

TEST(TypedEventArguments, BytesAreZeroExtendedAndShortsSignExtended) {
    const TypedEventArgument arguments[] = {
        {0xFFFFFF80, 0, type_code::kByte, 0},
        {0x0000FF80, 0, type_code::kShort, 0},
        {0x00001234, 0, type_code::kShort, 0},
    };
    EXPECT_EQ(packTypedEventArguments(arguments), (Words{0x80, 0xFFFFFF80, 0x1234}));
}

TEST(TypedEventArguments, LongDateTimeAndMenuItemsTakeTwoWords) {
    const TypedEventArgument arguments[] = {
        {1, 2, type_code::kLong, 0}, {3, 4, type_code::kDateTime, 0}, {5, 6, 0x10003, 0},
        {7, 8, 0x80000008, 0},       {9, 10, type_code::kInteger, 0},
    };
    EXPECT_EQ(packTypedEventArguments(arguments), (Words{1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST(TypedEventArguments, SlotFlagsOverrideTheType) {
    const TypedEventArgument arguments[] = {
        {0x1000, 0x2000, type_code::kDouble, event_argument_flag::kByAddress},
        {11, 12, type_code::kInteger, event_argument_flag::kTwoWords},
    };
    EXPECT_EQ(packTypedEventArguments(arguments), (Words{joinAddressWords(0x1000, 0x2000), 11, 12}));
}

TEST(TypedEventArguments, AddressesArriveWholeInOneWord) {
    const char text[] = "text";
    const std::uint8_t bytes[] = {1, 0, 0, 0, 0, 0, 0, 0};
    const ValueTriple textValue = ValueTriple::ofAddress(text, type_code::kText);
    const ValueTriple bytesValue = ValueTriple::ofAddress(bytes, type_code::kByteSet);
    const TypedEventArgument arguments[] = {
        {textValue.low, textValue.high, type_code::kText, 0},
        {bytesValue.low, bytesValue.high, type_code::kByteSet, 0},
        {textValue.low, textValue.high, type_code::kText, event_argument_flag::kByAddress},
    };
    EXPECT_EQ(packTypedEventArguments(arguments), (Words{addressWord(text), addressWord(bytes), addressWord(text)}));
}

TEST(TypedEventArguments, NoArgumentsNoWords) {
    EXPECT_TRUE(packTypedEventArguments({}).empty());
}

}  // namespace
}  // namespace veltrano
