#include "app/hex/hex_codec.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/gbk_literal.h"

namespace veltrano::hex {
namespace {

using test::gbk;
using Bytes = std::vector<std::uint8_t>;

class RecordingSink : public MessageSink {
public:
    void showMessage(const std::string& text, const std::string& caption) override {
        messages.emplace_back(text, caption);
    }
    std::vector<std::pair<std::string, std::string>> messages;
};

class HexToBytesTest : public ::testing::Test {
protected:
    Bytes parse(std::string_view text) { return HexToBytes(text, sink); }

    void expectOneMessage(const std::string& text) {
        ASSERT_EQ(sink.messages.size(), 1u);
        EXPECT_EQ(sink.messages[0].first, text);
        EXPECT_EQ(sink.messages[0].second, gbk("错误"));
    }

    std::string invalidCharacter(char offending) { return invalidCharacter(std::string(1, offending)); }
    std::string invalidCharacter(const std::string& offending) { return gbk("无效的十六进制字符: ") + offending; }

    RecordingSink sink;
};

TEST_F(HexToBytesTest, SpacesAroundLowerCasePairsAreIgnored) {
    EXPECT_EQ(parse(" ad 66 "), (Bytes{0xAD, 0x66}));
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(HexToBytesTest, InnerSpacesAreRemovedEvenInsideAPair) {
    EXPECT_EQ(parse("A D66"), (Bytes{0xAD, 0x66}));
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(HexToBytesTest, EveryDigitInBothCases) {
    EXPECT_EQ(parse("0123456789abcdefABCDEF"),
              (Bytes{0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF, 0xAB, 0xCD, 0xEF}));
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(HexToBytesTest, OddLengthIsReportedBeforeAnInvalidCharacter) {
    EXPECT_TRUE(parse("ADG").empty());
    expectOneMessage(gbk("十六进制数据长度必须是偶数"));
}

TEST_F(HexToBytesTest, OddLengthCountsAfterSpacesAreRemoved) {
    EXPECT_TRUE(parse(" A D 6 ").empty());
    expectOneMessage(gbk("十六进制数据长度必须是偶数"));
}

TEST_F(HexToBytesTest, InvalidLowCharacterIsShownAlone) {
    EXPECT_TRUE(parse("AD6G").empty());
    expectOneMessage(invalidCharacter('G'));
}

TEST_F(HexToBytesTest, HighCharacterIsTestedBeforeLowCharacter) {
    EXPECT_TRUE(parse("ADGZ").empty());
    expectOneMessage(invalidCharacter('G'));
}

TEST_F(HexToBytesTest, OnlyTheFirstInvalidCharacterIsReported) {
    EXPECT_TRUE(parse("0Z0Y").empty());
    expectOneMessage(invalidCharacter('Z'));
}

TEST_F(HexToBytesTest, TabBetweenPairsIsInvalid) {
    EXPECT_TRUE(parse("AD\t66\t77").empty());
    expectOneMessage(invalidCharacter('\t'));
}

TEST_F(HexToBytesTest, LineBreakIsNotTrimmed) {
    EXPECT_TRUE(parse("AD66\r\n").empty());
    expectOneMessage(invalidCharacter('\r'));
}

TEST_F(HexToBytesTest, FullWidthSpacesAtBothEndsAreTrimmed) {
    const std::string fullWidth = gbk("　");
    ASSERT_EQ(fullWidth, "\xA1\xA1");
    EXPECT_EQ(parse(fullWidth + " " + fullWidth + "AD 66" + fullWidth + " "), (Bytes{0xAD, 0x66}));
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(HexToBytesTest, FullWidthSpaceInsideIsInvalid) {
    EXPECT_TRUE(parse("AD" + gbk("　") + "66").empty());
    expectOneMessage(invalidCharacter(gbk("　")));
}

TEST_F(HexToBytesTest, DoubleByteCharacterIsNamedWhole) {
    const std::string middle = gbk("中");
    ASSERT_EQ(middle.size(), 2u);
    EXPECT_TRUE(parse("AD" + middle).empty());
    expectOneMessage(invalidCharacter(middle));
    // In the low place of a pair as well.
    sink.messages.clear();
    EXPECT_TRUE(parse("A" + middle + "D").empty());
    expectOneMessage(invalidCharacter(middle));
}

TEST_F(HexToBytesTest, TrailByteThatLooksLikeASpaceIsKept) {
    // B0 20 is one character: its second byte must not be removed as a space,
    // which would leave an odd length and the wrong message.
    EXPECT_TRUE(parse("AD\xB0 66").empty());
    expectOneMessage(invalidCharacter(std::string("\xB0 ")));
}

TEST_F(HexToBytesTest, LeadByteAtTheEndIsNotDropped) {
    EXPECT_TRUE(parse("AD\xB0").empty());
    expectOneMessage(gbk("十六进制数据长度必须是偶数"));
}

TEST_F(HexToBytesTest, LeadByteAtTheEndOfAnEvenTextIsInvalid) {
    EXPECT_TRUE(parse("AD6\xB0").empty());
    expectOneMessage(invalidCharacter('\xB0'));
}

TEST_F(HexToBytesTest, ZeroByteIsInvalid) {
    EXPECT_TRUE(parse(std::string_view("AD\0"
                                       "6",
                                       4))
                    .empty());
    expectOneMessage(invalidCharacter('\0'));
}

TEST_F(HexToBytesTest, EmptyTextGivesNothingWithoutMessage) {
    EXPECT_TRUE(parse("").empty());
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(HexToBytesTest, OnlySpacesGiveNothingWithoutMessage) {
    EXPECT_TRUE(parse("  " + gbk("　") + " ").empty());
    EXPECT_TRUE(sink.messages.empty());
}

TEST(FindHexFaultTest, NamesTheFaultHexToBytesReportsWithoutShowingIt) {
    EXPECT_EQ(findHexFault(" ad 66 "), std::nullopt);
    EXPECT_EQ(findHexFault(""), std::nullopt);
    const auto odd = findHexFault("A D 6");
    ASSERT_TRUE(odd);
    EXPECT_EQ(odd->kind, HexFault::Kind::OddLength);
    EXPECT_EQ(odd->character, "");
    const auto low = findHexFault("ad6g");
    ASSERT_TRUE(low);
    EXPECT_EQ(low->kind, HexFault::Kind::InvalidCharacter);
    EXPECT_EQ(low->character, "G") << "letters are folded before the check, as HexToBytes does";
    const auto wide = findHexFault("AD" + gbk("中"));
    ASSERT_TRUE(wide);
    EXPECT_EQ(wide->character, gbk("中"));
}

TEST(BytesToHexTest, NoBytesGiveEmptyText) {
    EXPECT_EQ(BytesToHex({}), "");
}

TEST(BytesToHexTest, OneByteHasLeadingZeroAndTrailingSpace) {
    const Bytes bytes{0x05};
    EXPECT_EQ(BytesToHex(bytes), "05 ");
}

TEST(BytesToHexTest, EveryPairIsFollowedByASpace) {
    const Bytes bytes{0xAD, 0x66, 0x0F};
    EXPECT_EQ(BytesToHex(bytes), "AD 66 0F ");
}

TEST(BytesToHexTest, ExtremesAreUpperCase) {
    const Bytes bytes{0x00, 0xFF, 0xab};
    EXPECT_EQ(BytesToHex(bytes), "00 FF AB ");
}

TEST(BytesToHexTest, EveryByteValueSurvivesTheRoundTrip) {
    Bytes all(256);
    for (std::size_t i = 0; i < all.size(); ++i) {
        all[i] = static_cast<std::uint8_t>(i);
    }
    const std::string text = BytesToHex(all);
    ASSERT_EQ(text.size(), 3 * all.size());
    RecordingSink sink;
    EXPECT_EQ(HexToBytes(text, sink), all);
    EXPECT_TRUE(sink.messages.empty());
}

TEST(HexPairToByteTest, UpperCasePair) {
    EXPECT_EQ(HexPairToByte("3C"), 60);
    EXPECT_EQ(HexPairToByte("FF"), 255);
}

TEST(HexPairToByteTest, LowerCaseLetterCountsAsZero) {
    EXPECT_EQ(HexPairToByte("3c"), 48);
}

TEST(HexPairToByteTest, InvalidHighCharacterCountsAsZero) {
    EXPECT_EQ(HexPairToByte("G1"), 1);
    EXPECT_EQ(HexPairToByte("\xB0"
                            "1"),
              1);
}

TEST(HexPairToByteTest, MissingCharactersCountAsZero) {
    EXPECT_EQ(HexPairToByte(""), 0);
    EXPECT_EQ(HexPairToByte("F"), 240);
}

TEST(HexPairToByteTest, OnlyTheFirstTwoCharactersCount) {
    EXPECT_EQ(HexPairToByte("AB9"), 0xAB);
}

}  // namespace
}  // namespace veltrano::hex
