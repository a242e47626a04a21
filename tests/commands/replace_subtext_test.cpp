#include "runtime/commands/replace_subtext.h"

#include <gtest/gtest.h>

#include <limits>

#include "tests/support/gbk_literal.h"

namespace veltrano::commands {
namespace {

using test::gbk;

ReplaceArguments exact(std::string_view replacement) {
    ReplaceArguments arguments;
    arguments.replacement = replacement;
    arguments.caseSensitive = true;
    return arguments;
}

TEST(ReplaceSubtextExact, RemovesAsciiSpacesAndKeepsFullWidthOnes) {
    const std::string fullWidthSpace = gbk("　");
    const std::string text = "AD 66" + fullWidthSpace + "BD 01 " + fullWidthSpace;
    EXPECT_EQ(ReplaceSubtext(text, " ", exact("")), "AD66" + fullWidthSpace + "BD01" + fullWidthSpace);
}

TEST(ReplaceSubtextExact, ReplacesEveryOccurrenceByDefault) {
    EXPECT_EQ(ReplaceSubtext("a-b-c-d", "-", exact("+=")), "a+=b+=c+=d");
    EXPECT_EQ(ReplaceSubtext("aaaa", "aa", exact("b")), "bb");
}

TEST(ReplaceSubtextExact, DoesNotMatchInsideADoubleByteCharacter) {
    // 0xB0 0x41 is one character whose trail byte is the letter A.
    const std::string text = std::string("\xB0\x41 A");
    EXPECT_EQ(ReplaceSubtext(text, "A", exact("x")), std::string("\xB0\x41 x"));
}

TEST(ReplaceSubtextExact, MatchesDoubleByteSearchTexts) {
    const std::string text = gbk("时序器,投影仪,时序器");
    EXPECT_EQ(ReplaceSubtext(text, gbk("时序器"), exact(gbk("功放"))), gbk("功放,投影仪,功放"));
}

TEST(ReplaceSubtextExact, IsCaseSensitive) {
    EXPECT_EQ(ReplaceSubtext("aAa", "a", exact("-")), "-A-");
}

TEST(ReplaceSubtextArguments, StartSkipsTheBeginningAndKeepsIt) {
    ReplaceArguments arguments = exact("_");
    arguments.start = 3;
    EXPECT_EQ(ReplaceSubtext("x.x.x.x", ".", arguments), "x.x_x_x");
}

TEST(ReplaceSubtextArguments, StartBelowOneCountsFromTheFirstByte) {
    for (std::int32_t start : {0, -7, std::numeric_limits<std::int32_t>::min()}) {
        ReplaceArguments arguments = exact("_");
        arguments.start = start;
        EXPECT_EQ(ReplaceSubtext(".x.", ".", arguments), "_x_") << start;
    }
}

TEST(ReplaceSubtextArguments, StartPastTheTextGivesACopy) {
    ReplaceArguments arguments = exact("_");
    arguments.start = 4;
    EXPECT_EQ(ReplaceSubtext("...", ".", arguments), "...");
    arguments.start = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(ReplaceSubtext("...", ".", arguments), "...");
}

TEST(ReplaceSubtextArguments, CountLimitsTheReplacements) {
    ReplaceArguments arguments = exact("_");
    arguments.count = 1;
    EXPECT_EQ(ReplaceSubtext("....", ".", arguments), "_...");
    arguments.count = 3;
    EXPECT_EQ(ReplaceSubtext("....", ".", arguments), "___.");
    arguments.count = 0;
    EXPECT_EQ(ReplaceSubtext("....", ".", arguments), "....");
    arguments.count = -1;
    EXPECT_EQ(ReplaceSubtext("....", ".", arguments), "____");
    arguments.count = -9;
    EXPECT_EQ(ReplaceSubtext("....", ".", arguments), "____");
}

TEST(ReplaceSubtextArguments, EmptyTextOrSearchGivesACopy) {
    EXPECT_EQ(ReplaceSubtext("", "a", exact("b")), "");
    EXPECT_EQ(ReplaceSubtext("abc", "", exact("b")), "abc");
}

TEST(ReplaceSubtextArguments, SearchLongerThanTheTextGivesACopy) {
    EXPECT_EQ(ReplaceSubtext("ab", "abc", exact("x")), "ab");
}

TEST(ReplaceSubtextArguments, LeftOutReplacementRemoves) {
    ReplaceArguments arguments;
    EXPECT_EQ(ReplaceSubtext("a1a2", "A", arguments), "12");
}

TEST(ReplaceSubtextEnd, LeadByteBeforeTheEndStopsTheScanAndStays) {
    EXPECT_EQ(ReplaceSubtext(std::string("a.\xB0"), ".", exact("_")), std::string("a_\xB0"));
    EXPECT_EQ(ReplaceSubtext(std::string(".\xB0"), "\xB0", exact("_")), std::string("._"));
}

TEST(ReplaceSubtextIgnoringCase, SingleByteLettersCompareWithoutCase) {
    EXPECT_EQ(ReplaceSubtext("Ad66aD", "ad", {}), "66");
    ReplaceArguments arguments;
    arguments.replacement = "x";
    EXPECT_EQ(ReplaceSubtext("[a]{A}", "[A]", arguments), "x{A}");
}

TEST(ReplaceSubtextIgnoringCase, FullWidthGreekAndCyrillicLettersCompareWithoutCase) {
    ReplaceArguments arguments;
    arguments.replacement = "!";
    EXPECT_EQ(ReplaceSubtext(gbk("ａＢｃ"), gbk("ＡｂＣ"), arguments), "!");
    EXPECT_EQ(ReplaceSubtext(gbk("αΩω"), gbk("ω"), arguments), gbk("α!!"));
    EXPECT_EQ(ReplaceSubtext(gbk("яЯа"), gbk("Я"), arguments), gbk("!!а"));
}

TEST(ReplaceSubtextIgnoringCase, OtherDoubleByteCharactersMustBeEqual) {
    ReplaceArguments arguments;
    arguments.replacement = "!";
    EXPECT_EQ(ReplaceSubtext(gbk("端口端"), gbk("口"), arguments), gbk("端!端"));
    // Full-width and half-width forms are different characters.
    EXPECT_EQ(ReplaceSubtext(gbk("Ａ"), "A", arguments), gbk("Ａ"));
    EXPECT_EQ(ReplaceSubtext(gbk("ab"), gbk("ａｂ"), arguments), "ab");
}

TEST(ReplaceSubtextIgnoringCase, ATrailByteIsNotFoldedAsALetter) {
    // B0 61 and B0 41 differ only in a trail byte that looks like a or A.
    ReplaceArguments arguments;
    arguments.replacement = "!";
    EXPECT_EQ(ReplaceSubtext(std::string("\xB0\x61"), std::string("\xB0\x41"), arguments), std::string("\xB0\x61"));
}

}  // namespace
}  // namespace veltrano::commands
