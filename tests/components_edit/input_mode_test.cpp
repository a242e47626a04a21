#include "components/edit_box/input_mode.h"

#include <gtest/gtest.h>

#include "tests/support/gbk_literal.h"

namespace veltrano::edit_input {
namespace {

TEST(TypingFilter, ControlCharactersAlwaysPass) {
    for (std::int32_t mode = 0; mode <= kLastInputMode; ++mode) {
        EXPECT_TRUE(typingAllowed(mode, '\b'));
        EXPECT_TRUE(typingAllowed(mode, 0x16));
    }
}

TEST(TypingFilter, NumericModesTakeOnlyTheirCharacters) {
    EXPECT_TRUE(typingAllowed(3, '-'));
    EXPECT_FALSE(typingAllowed(3, '.'));
    EXPECT_TRUE(typingAllowed(4, '.'));
    EXPECT_FALSE(typingAllowed(5, '-'));
    EXPECT_TRUE(typingAllowed(5, '9'));
    EXPECT_FALSE(typingAllowed(8, 'x'));
    EXPECT_TRUE(typingAllowed(9, '.'));
    EXPECT_FALSE(typingAllowed(10, 'e'));
    EXPECT_FALSE(typingAllowed(7, 0x4E2D));
    EXPECT_TRUE(typingAllowed(11, 0x4E2D));
    EXPECT_TRUE(typingAllowed(0, 'e'));
}

TEST(IntegerParse, TakesSpaceSignAndDigitsUpToTheFirstOther) {
    EXPECT_EQ(parseInteger("  -42abc"), -42);
    EXPECT_EQ(parseInteger("+7"), 7);
    EXPECT_EQ(parseInteger("abc"), 0);
    EXPECT_EQ(parseInteger("-"), 0);
    EXPECT_EQ(parseInteger("-9223372036854775808"), INT64_MIN);
    EXPECT_EQ(parseInteger("99999999999999999999"), INT64_MAX);
    EXPECT_EQ(parseInteger("-99999999999999999999"), INT64_MIN);
}

TEST(Normalisation, ClampsToTheModesRange) {
    EXPECT_EQ(normalisedText(5, "300"), "255");
    EXPECT_EQ(normalisedText(5, "-4"), "");
    EXPECT_EQ(normalisedText(6, "40000"), "32767");
    EXPECT_EQ(normalisedText(6, "abc"), "");
    EXPECT_EQ(normalisedText(7, "3000000000"), "2147483647");
    EXPECT_EQ(normalisedText(7, "-3000000000"), "-2147483648");
    EXPECT_EQ(normalisedText(8, "-3000000000x"), "-3000000000");
    EXPECT_EQ(normalisedText(7, " 012"), "12");
}

TEST(Normalisation, FloatingModesUseTheirPrecision) {
    EXPECT_EQ(normalisedText(9, "3.14159265"), "3.14159");
    EXPECT_EQ(normalisedText(10, "3.14159265358979"), "3.14159265359");
    EXPECT_EQ(normalisedText(10, "-0.50x"), "-0.5");
    EXPECT_EQ(normalisedText(10, "-0"), "");
    EXPECT_EQ(normalisedText(9, "."), "");
    EXPECT_EQ(normalisedText(9, "1e60"), "3.40282e+38");
}

TEST(Normalisation, OtherModesKeepTheText) {
    EXPECT_EQ(normalisedText(0, "300"), "300");
    EXPECT_EQ(normalisedText(3, "-0"), "-0");
    EXPECT_EQ(normalisedText(4, "1..2"), "1..2");
}

TEST(Normalisation, DateTimeTextDropsZeroTrailingParts) {
    EXPECT_EQ(normalisedText(11, "2024-03-05 08:30:15"), test::gbk("2024年3月5日8时30分15秒"));
    EXPECT_EQ(normalisedText(11, "2024/3/5 8:30"), test::gbk("2024年3月5日8时30分"));
    EXPECT_EQ(normalisedText(11, test::gbk("2024年3月5日 8时")), test::gbk("2024年3月5日8时"));
    EXPECT_EQ(normalisedText(11, "2024-3-5"), test::gbk("2024年3月5日"));
}

TEST(Normalisation, InvalidOrZeroDateTimeIsEmpty) {
    EXPECT_EQ(normalisedText(11, "2023-02-29"), "");
    EXPECT_EQ(normalisedText(11, "2024-13-01"), "");
    EXPECT_EQ(normalisedText(11, "12:30"), "");
    EXPECT_EQ(normalisedText(11, "1899-12-30"), "");
    EXPECT_EQ(normalisedText(11, "hello"), "");
}

}  // namespace
}  // namespace veltrano::edit_input
