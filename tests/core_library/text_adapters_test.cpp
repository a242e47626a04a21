#include <gtest/gtest.h>

#include "runtime/core_library/core_library.h"
#include "tests/core_library/command_fixture.h"
#include "tests/support/gbk_literal.h"

namespace veltrano::test {
namespace {

using namespace veltrano::core_library;

using TextAdapterTest = CommandTest;

TEST_F(TextAdapterTest, LengthCountsBytesOfDoubleByteCharacters) {
    const ValueTriple result = call(&TextLength, {text(gbk("端口ab"))});
    EXPECT_EQ(result.type, type_code::kInteger);
    EXPECT_EQ(result.low, 6u);
}

TEST_F(TextAdapterTest, MidTextClampsToTheEndAndGivesNullPastIt) {
    EXPECT_EQ(takeText(call(&MidText, {text("abcdef"), integer(5), integer(10)})), "ef");
    const ValueTriple past = call(&MidText, {text("abcdef"), integer(7), integer(1)});
    EXPECT_EQ(past.type, type_code::kText);
    EXPECT_EQ(past.low, 0u);
}

TEST_F(TextAdapterTest, LeftAndRightTextTakeBytes) {
    EXPECT_EQ(takeText(call(&LeftText, {text("abc"), integer(10)})), "abc");
    EXPECT_EQ(call(&LeftText, {text("abc"), integer(0)}).low, 0u);
    EXPECT_EQ(takeText(call(&RightText, {text("abcdef"), integer(2)})), "ef");
}

TEST_F(TextAdapterTest, CharCodeIsSignedAndItsPositionOptional) {
    const ValueTriple first = call(&CharCode, {text("\xB0\xA1")});
    EXPECT_EQ(static_cast<std::int32_t>(first.low), -80);
    EXPECT_EQ(static_cast<std::int32_t>(call(&CharCode, {text("\xB0\xA1"), omitted()}).low), -80);
    EXPECT_EQ(static_cast<std::int32_t>(call(&CharCode, {text("\xB0\xA1"), integer(2)}).low), -95);
    EXPECT_EQ(call(&CharCode, {text("ab"), integer(3)}).low, 0u);
}

TEST_F(TextAdapterTest, BlankTextAndUpperCase) {
    EXPECT_EQ(takeText(call(&BlankText, {integer(3)})), "   ");
    EXPECT_EQ(call(&BlankText, {integer(-1)}).low, 0u);
    EXPECT_EQ(takeText(call(&ToUpper, {text(gbk("ab端c"))})), gbk("AB端C"));
}

TEST_F(TextAdapterTest, TrimAndRemoveSpacesKnowFullWidthSpaces) {
    EXPECT_EQ(takeText(call(&TrimBoth, {text("\xA1\xA1 a b \xA1\xA1")})), "a b");
    EXPECT_EQ(takeText(call(&RemoveSpaces, {text("\xA1\xA1 a b \xA1\xA1")})), "ab");
    EXPECT_EQ(call(&TrimBoth, {text(" \xA1\xA1 ")}).low, 0u);
}

TEST_F(TextAdapterTest, ReplaceSubtextCaseSensitiveLeavesFullWidthSpaces) {
    const ValueTriple result = call(&ReplaceSubtext, {text("a b\xA1\xA1"
                                                           "c d"),
                                                      text(" "), text(""), omitted(), omitted(), boolean(true)});
    EXPECT_EQ(takeText(result),
              "ab\xA1\xA1"
              "cd");
}

TEST_F(TextAdapterTest, ReplaceSubtextDefaultsToCaseInsensitiveEverywhere) {
    EXPECT_EQ(takeText(call(&ReplaceSubtext, {text("abcABC"), text("b"), text("x")})), "axcAxC");
    EXPECT_EQ(takeText(call(&ReplaceSubtext, {text("abcABC"), text("b"), text("x"), integer(3), integer(1)})),
              "abcAxC");
}

TEST_F(TextAdapterTest, HexTextShowsTheTwosComplement) {
    EXPECT_EQ(takeText(call(&HexText, {integer(255)})), "FF");
    EXPECT_EQ(takeText(call(&HexText, {integer(-1)})), "FFFFFFFF");
    EXPECT_EQ(takeText(call(&HexText, {integer(0)})), "0");
}

using TextAdapterDeathTest = TextAdapterTest;

TEST_F(TextAdapterDeathTest, ANumberWhereATextBelongsIsFatal) {
    EXPECT_EXIT(call(&LeftText, {integer(0x1000), integer(1)}), ::testing::ExitedWithCode(-1),
                "fatal code=11 \\[所提供参数的数据类型不符合要求\\]");
}

TEST_F(TextAdapterDeathTest, AMissingRequiredArgumentIsFatal) {
    EXPECT_EXIT(call(&MidText, {text("abc"), integer(1)}), ::testing::ExitedWithCode(-1), "fatal code=11 ");
}

}  // namespace
}  // namespace veltrano::test
