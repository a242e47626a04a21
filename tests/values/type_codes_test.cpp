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
    EXPECT_EQ(elementSize(type_code::kText | type_code::kArrayFlag), 4u);
}

}  // namespace
}  // namespace veltrano
