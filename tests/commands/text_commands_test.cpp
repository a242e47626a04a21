#include "runtime/commands/text_commands.h"

#include <gtest/gtest.h>

#include <limits>

#include "tests/support/gbk_literal.h"

namespace veltrano::commands {
namespace {

using test::gbk;

constexpr std::int32_t kMaxInt = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMinInt = std::numeric_limits<std::int32_t>::min();

TEST(TextSlicing, LengthCountsBytesOfDoubleByteCharacters) {
    EXPECT_EQ(TextLength(""), 0);
    EXPECT_EQ(TextLength("abc"), 3);
    EXPECT_EQ(TextLength(gbk("端口a")), 5);
}

TEST(TextSlicing, LeftTextClampsToTheText) {
    EXPECT_EQ(LeftText("abcdef", 2), "ab");
    EXPECT_EQ(LeftText("abcdef", 6), "abcdef");
    EXPECT_EQ(LeftText("abcdef", 100), "abcdef");
    EXPECT_EQ(LeftText("abcdef", kMaxInt), "abcdef");
    EXPECT_EQ(LeftText("abcdef", 0), "");
    EXPECT_EQ(LeftText("abcdef", -3), "");
    EXPECT_EQ(LeftText("", 3), "");
}

TEST(TextSlicing, RightTextClampsToTheText) {
    EXPECT_EQ(RightText("abcdef", 2), "ef");
    EXPECT_EQ(RightText("abcdef", 100), "abcdef");
    EXPECT_EQ(RightText("abcdef", 0), "");
    EXPECT_EQ(RightText("abcdef", kMinInt), "");
}

TEST(TextSlicing, MidTextTakesWhatIsLeftFromTheStart) {
    EXPECT_EQ(MidText("abcdef", 5, 10), "ef");
    EXPECT_EQ(MidText("abcdef", 7, 1), "");
    EXPECT_EQ(MidText("abcdef", 1, 3), "abc");
    EXPECT_EQ(MidText("abcdef", 6, 1), "f");
    EXPECT_EQ(MidText("abcdef", 2, kMaxInt), "bcdef");
}

TEST(TextSlicing, MidTextOutsideTheTextIsEmpty) {
    EXPECT_EQ(MidText("abcdef", 0, 3), "");
    EXPECT_EQ(MidText("abcdef", -1, 3), "");
    EXPECT_EQ(MidText("abcdef", kMinInt, 3), "");
    EXPECT_EQ(MidText("abcdef", kMaxInt, 3), "");
    EXPECT_EQ(MidText("abcdef", 2, 0), "");
    EXPECT_EQ(MidText("abcdef", 2, -1), "");
    EXPECT_EQ(MidText("", 1, 1), "");
}

TEST(TextSlicing, SlicesCountBytesNotCharacters) {
    const std::string text = gbk("端口");
    EXPECT_EQ(LeftText(text, 1), text.substr(0, 1));
    EXPECT_EQ(MidText(text, 2, 2), text.substr(1, 2));
}

TEST(CharCodeCommand, ReadsTheByteAsSigned) {
    EXPECT_EQ(CharCode("\xB0\xA1"), -80);
    EXPECT_EQ(CharCode("\xB0\xA1", 2), static_cast<signed char>(0xA1));
    EXPECT_EQ(CharCode("A"), 65);
    EXPECT_EQ(CharCode("\x7F\xFF", 2), -1);
    EXPECT_EQ(CharCode("\x80", 1), -128);
}

TEST(CharCodeCommand, PositionsOutsideTheTextGiveTheTerminator) {
    EXPECT_EQ(CharCode("abc", 0), 0);
    EXPECT_EQ(CharCode("abc", 4), 0);
    EXPECT_EQ(CharCode("abc", -1), 0);
    EXPECT_EQ(CharCode("abc", kMinInt), 0);
    EXPECT_EQ(CharCode("abc", kMaxInt), 0);
    EXPECT_EQ(CharCode(""), 0);
}

TEST(BlankTextCommand, MakesAsciiSpaces) {
    EXPECT_EQ(BlankText(3), "   ");
    EXPECT_EQ(BlankText(1), " ");
    EXPECT_EQ(BlankText(0), "");
    EXPECT_EQ(BlankText(-5), "");
}

TEST(ToUpperCommand, LeavesDoubleByteCharactersAlone) {
    EXPECT_EQ(ToUpper("ad66abz{"), "AD66ABZ{");
    // The trail byte 0x61 is an 'a' only when read on its own.
    const std::string mixed = std::string("x\x81\x61y");
    EXPECT_EQ(ToUpper(mixed), std::string("X\x81\x61Y"));
    const std::string fullWidth = gbk("ａｂ");
    EXPECT_EQ(ToUpper(fullWidth), fullWidth);
    EXPECT_EQ(ToUpper(std::string("a\xB0")), std::string("A\xB0"));
}

class SpaceCommandsTest : public ::testing::Test {
protected:
    const std::string fullWidthSpace = gbk("　");
    const std::string word = gbk("端口");
};

TEST_F(SpaceCommandsTest, TrimBothRemovesAsciiAndFullWidthSpacesAtBothEnds) {
    const std::string text = fullWidthSpace + " " + word + " a " + fullWidthSpace + fullWidthSpace + "  ";
    EXPECT_EQ(TrimBoth(text), word + " a");
    EXPECT_EQ(TrimBoth("  abc  "), "abc");
    EXPECT_EQ(TrimBoth("abc"), "abc");
}

TEST_F(SpaceCommandsTest, TrimBothOfOnlySpacesIsEmpty) {
    EXPECT_EQ(TrimBoth(" " + fullWidthSpace + " "), "");
    EXPECT_EQ(TrimBoth(""), "");
}

TEST_F(SpaceCommandsTest, TrimBothDropsALeadByteBeforeTheEnd) {
    EXPECT_EQ(TrimBoth(std::string("ab \xB0")), "ab");
    EXPECT_EQ(TrimBoth(fullWidthSpace + "ab" + fullWidthSpace + "\xB0"), "ab");
    EXPECT_EQ(TrimBoth(std::string("\xB0")), "");
}

TEST_F(SpaceCommandsTest, TrimBothDoesNotSplitACharacterEndingInA1) {
    // B0 A1 is one character; its trail byte followed by A1 is not a space.
    const std::string text = std::string("\xB0\xA1\xA1\xA1");
    EXPECT_EQ(TrimBoth(text), std::string("\xB0\xA1"));
    const std::string inner = std::string("\xB0\xA1\xA1\xB0");
    EXPECT_EQ(TrimBoth(inner + " "), inner);
}

TEST_F(SpaceCommandsTest, RemoveSpacesRemovesEverySpace) {
    const std::string text = " A D" + fullWidthSpace + "66 " + word + fullWidthSpace;
    EXPECT_EQ(RemoveSpaces(text), "AD66" + word);
    EXPECT_EQ(RemoveSpaces("   "), "");
}

TEST_F(SpaceCommandsTest, RemoveSpacesKeepsTrailBytesThatLookLikeSpaces) {
    const std::string text = std::string("\xB0\xA1\xA1\xA1 x");
    EXPECT_EQ(RemoveSpaces(text), std::string("\xB0\xA1x"));
}

TEST_F(SpaceCommandsTest, RemoveSpacesDropsALeadByteBeforeTheEnd) {
    EXPECT_EQ(RemoveSpaces(std::string("a b\xB0")), "ab");
}

TEST(HexTextCommand, WritesTheTwosComplementWithoutLeadingZeros) {
    EXPECT_EQ(HexText(255), "FF");
    EXPECT_EQ(HexText(0), "0");
    EXPECT_EQ(HexText(-1), "FFFFFFFF");
    EXPECT_EQ(HexText(16), "10");
    EXPECT_EQ(HexText(0x0ABCDEF0), "ABCDEF0");
    EXPECT_EQ(HexText(kMinInt), "80000000");
}

}  // namespace
}  // namespace veltrano::commands
