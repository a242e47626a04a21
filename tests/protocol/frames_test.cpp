#include "app/protocol/frames.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/hex/hex_codec.h"
#include "tests/support/gbk_literal.h"

namespace veltrano::protocol {
namespace {

using veltrano::test::gbk;
using Bytes = std::vector<std::uint8_t>;

class RecordingSink : public hex::MessageSink {
public:
    void showMessage(const std::string& text, const std::string&) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

class FramesTest : public ::testing::Test {
protected:
    // Through the codec the application uses, so a text it would refuse
    // shows up here as no bytes and a message.
    Bytes wire(const std::string& text) { return hex::HexToBytes(text, sink); }

    RecordingSink sink;
};

TEST_F(FramesTest, FixedFramesGiveTheirNineBytes) {
    EXPECT_EQ(frameBytes(kEnterConfigText), (Bytes{0xAD, 0x66, 0x66, 0x66, 0x66, 0xAA, 0xAA, 0xAA, 0xBD}));
    EXPECT_EQ(frameBytes(kExitConfigText), (Bytes{0xAD, 0x66, 0x66, 0x66, 0x66, 0xAA, 0xAA, 0xBB, 0xBD}));
    EXPECT_EQ(frameBytes(kClearText), (Bytes{0xAD, 0x66, 0x66, 0x66, 0x66, 0xAA, 0xAB, 0xCC, 0xBD}));
    EXPECT_EQ(frameBytes(kReadRequestText), (Bytes{0xAD, 0x66, 0x66, 0x66, 0x66, 0xAA, 0xAB, 0xDD, 0xBD}));
    EXPECT_EQ(frameBytes(kReadCompleteText), (Bytes{0xAD, 0x66, 0x66, 0x66, 0x66, 0xAA, 0xAB, 0xDE, 0xBD}));
    EXPECT_EQ(frameBytes(kLearnText), (Bytes{0xFA, 0xFD, 0x01, 0x01}));
}

TEST_F(FramesTest, BlockFramesCarryTheBlockNumber) {
    for (int block = 1; block <= kBlockCount; ++block) {
        const auto begin = frameBytes(blockBeginText(block));
        const auto end = frameBytes(blockEndText(block));
        ASSERT_TRUE(begin && end);
        const auto number = static_cast<std::uint8_t>(block);
        EXPECT_EQ(*begin,
                  (Bytes{0xAD, 0x66, 0x66, 0x66, 0x66, 0xAA, 0xAB, static_cast<std::uint8_t>(0xA0 + number), 0xBD}));
        EXPECT_EQ(*end,
                  (Bytes{0xAD, 0x66, 0x66, 0x66, 0x66, 0xAA, 0xAB, static_cast<std::uint8_t>(0xB0 + number), 0xBD}));
    }
    EXPECT_TRUE(blockBeginText(0).empty());
    EXPECT_TRUE(blockEndText(5).empty());
}

TEST_F(FramesTest, FrameBytesRefusesAnythingButDigitPairs) {
    EXPECT_EQ(frameBytes("ad66"), (Bytes{0xAD, 0x66}));
    EXPECT_FALSE(frameBytes("AD6"));
    EXPECT_FALSE(frameBytes("AD 6"));
    EXPECT_FALSE(frameBytes("ADG6"));
    EXPECT_EQ(frameBytes(""), Bytes{});
}

TEST_F(FramesTest, PortSettingWithFourSlowRatesAndTheSequencerBinding) {
    const std::string text = portSettingText(PortRates{9600, 9600, 9600, 9600}, 1);
    EXPECT_EQ(text,
              "AD66778866"
              "002580"
              "002580"
              "002580"
              "002580"
              "01"
              "BD");
    EXPECT_EQ(wire(text), (Bytes{0xAD, 0x66, 0x77, 0x88, 0x66, 0x00, 0x25, 0x80, 0x00, 0x25, 0x80, 0x00, 0x25, 0x80,
                                 0x00, 0x25, 0x80, 0x01, 0xBD}));
}

TEST_F(FramesTest, PortSettingKeepsTheRatesInDeviceOrder) {
    const auto bytes = wire(portSettingText(PortRates{9600, 19200, 115200, 0xABCDEF}, 4));
    EXPECT_EQ(bytes, (Bytes{0xAD, 0x66, 0x77, 0x88, 0x66, 0x00, 0x25, 0x80, 0x00, 0x4B, 0x00, 0x01, 0xC2, 0x00, 0xAB,
                            0xCD, 0xEF, 0x04, 0xBD}));
}

TEST_F(FramesTest, PortSettingWithoutBindingSendsZero) {
    EXPECT_EQ(portSettingText(PortRates{9600, 9600, 9600, 9600}, 0).substr(34), "00BD");
}

TEST_F(FramesTest, RateTooLargeForThreeBytesGivesAnOddTextTheCodecRefuses) {
    const std::string text = portSettingText(PortRates{16777216, 9600, 9600, 9600}, 1);
    EXPECT_EQ(text,
              "AD66778866"
              "1000000"
              "002580"
              "002580"
              "002580"
              "01"
              "BD");
    EXPECT_EQ(text.size() % 2, 1u);
    EXPECT_TRUE(wire(text).empty());
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0], gbk("十六进制数据长度必须是偶数"));
}

TEST_F(FramesTest, SlotFrameOfRowOne) {
    EXPECT_EQ(slotFrameText(1, "FA 01 02 ED "), "ADBD3D0001FA0102ED");
    EXPECT_EQ(wire(slotFrameText(1, "FA 01 02 ED ")), (Bytes{0xAD, 0xBD, 0x3D, 0x00, 0x01, 0xFA, 0x01, 0x02, 0xED}));
}

TEST_F(FramesTest, SlotFramePositionIsFourDigitsMostSignificantFirst) {
    EXPECT_EQ(slotFrameText(1601, "11"), "ADBD3D064111");
    EXPECT_EQ(slotFrameText(65535, "11"), "ADBD3DFFFF11");
}

TEST_F(FramesTest, SlotFrameDropsFullWidthSpacesToo) {
    EXPECT_EQ(slotFrameText(51, gbk("　FA　01 02　")), "ADBD3D0033FA0102");
}

TEST_F(FramesTest, RemoveAllSpacesStepsOverDoubleByteCharacters) {
    // B0 A1 is one character; the A1 that follows starts the next one, so
    // the A1 A1 that straddles them is not a full-width space.
    EXPECT_EQ(removeAllSpaces("\xB0\xA1\xA1\x41"), "\xB0\xA1\xA1\x41");
    EXPECT_EQ(removeAllSpaces("\xB0\xA1\xA1\xA1 1"),
              "\xB0\xA1"
              "1");
    // A lead byte at the very end stays.
    EXPECT_EQ(removeAllSpaces("A \xB0"), "A\xB0");
}

}  // namespace
}  // namespace veltrano::protocol
