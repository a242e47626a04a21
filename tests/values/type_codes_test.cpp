#include "runtime/values/type_codes.h"

#include <gtest/gtest.h>

namespace veltrano {
namespace {

TEST(TypeCodes, CategoriesFollowTheCodeRanges) {
    EXPECT_EQ(typeCategory(0), TypeCategory::None);
    EXPECT_EQ(typeCategory(type_code::kText), TypeCategory::Base);
    EXPECT_EQ(typeCategory(0xBFFFFFFF), TypeCategory::Base);
    EXPECT_EQ(typeCategory(0x40000000), TypeCategory::UserData);
    EXPECT_EQ(typeCategory(0x7FFFFFFF), TypeCategory::UserData);
    EXPECT_EQ(typeCategory(0x10001), TypeCategory::LibraryUnit);
    EXPECT_EQ(typeCategory(0x30001), TypeCategory::LibraryUnit);
    EXPECT_EQ(typeCategory(0xC0000000), TypeCategory::LibraryUnit);
}

TEST(TypeCodes, OnlyTheSixNumberTypesAreNumeric) {
    for (std::uint32_t code : {type_code::kByte, type_code::kShort, type_code::kInteger, type_code::kLong,
                               type_code::kFloat, type_code::kDouble}) {
        EXPECT_TRUE(isNumericType(code)) << std::hex << code;
    }
    for (std::uint32_t code : {type_code::kBool, type_code::kDateTime, type_code::kText, type_code::kByteSet,
                               type_code::kSubroutine, type_code::kInteger | type_code::kArrayFlag, 0x10001u}) {
        EXPECT_FALSE(isNumericType(code)) << std::hex << code;
    }
}

TEST(TypeCodes, ArrayElementSizes) {
    EXPECT_TRUE(isArrayType(type_code::kText | type_code::kArrayFlag));
    EXPECT_FALSE(isArrayType(type_code::kText));
    EXPECT_EQ(elementSize(type_code::kByte | type_code::kArrayFlag), 1u);
    EXPECT_EQ(elementSize(type_code::kShort | type_code::kArrayFlag), 2u);
    EXPECT_EQ(elementSize(type_code::kDouble | type_code::kArrayFlag), 8u);
    EXPECT_EQ(elementSize(type_code::kInteger | type_code::kArrayFlag), 4u);
    // Text and byte set elements are addresses: freeing an array of them
    // must step by an address's width on every target.
    EXPECT_EQ(elementSize(type_code::kText | type_code::kArrayFlag), sizeof(void*));
    EXPECT_EQ(elementSize(type_code::kByteSet | type_code::kArrayFlag), sizeof(void*));
}

TEST(ValueTripleAddresses, AnAddressSurvivesTheTwoWordsAndKeepsTheTwelveByteLayout) {
    static_assert(sizeof(ValueTriple) == 12);
    const char text[] = "abc";
    const ValueTriple triple = ValueTriple::ofAddress(text, type_code::kText);
    EXPECT_EQ(triple.type, type_code::kText);
    EXPECT_EQ(triple.address<const char>(), text);
    if constexpr (sizeof(void*) == 4) {
        EXPECT_EQ(triple.high, 0u);
    }
}

TEST(ValueTripleAddresses, BothWordsMakeTheAddressOnlyOnAWideTarget) {
    if constexpr (sizeof(AddressWord) > 4) {
        const auto high = static_cast<AddressWord>(0x00007FF123456789ull);
        const SplitAddress words = splitAddressWord(high);
        EXPECT_EQ(words.low, 0x23456789u);
        EXPECT_EQ(words.high, 0x00007FF1u);
        EXPECT_EQ(joinAddressWords(words.low, words.high), high);
    } else {
        // A 32-bit target ignores the high word: values built with junk
        // there keep the meaning they always had.
        EXPECT_EQ(joinAddressWords(0x12345678u, 0xFFFFFFFFu), AddressWord{0x12345678u});
        EXPECT_EQ(splitAddressWord(0x12345678u).high, 0u);
    }
}

}  // namespace
}  // namespace veltrano
