#include "tools/module_sim/frame_assembler.h"

#include <gtest/gtest.h>

#include <vector>

namespace veltrano::modulesim {
namespace {

const Bytes kEnter{0xAD, 0x66, 0x66, 0x66, 0x66, 0xAA, 0xAA, 0xAA, 0xBD};
const Bytes kBlockBegin{0xAD, 0x66, 0x66, 0x66, 0x66, 0xAA, 0xAB, 0xA1, 0xBD};
const Bytes kPortSetting{0xAD, 0x66, 0x77, 0x88, 0x66, 0x00, 0x25, 0x80, 0x00, 0x25,
                         0x80, 0x00, 0x25, 0x80, 0x00, 0x25, 0x80, 0x01, 0xBD};
// Its data holds bytes that look like the start of a command frame.
const Bytes kSlot{0xAD, 0xBD, 0x3D, 0x00, 0x01, 0xFA, 0xAD, 0x66, 0x66, 0xED};

Bytes join(const Bytes& a, const Bytes& b) {
    Bytes both = a;
    both.insert(both.end(), b.begin(), b.end());
    return both;
}

class FrameAssemblerTest : public ::testing::Test {
protected:
    static TimePoint at(int ms) { return TimePoint{} + Millis{1000 + ms}; }

    FrameAssembler assembler{Millis{20}};
};

TEST_F(FrameAssemblerTest, CommandFrameEndsAfterNineBytesWithoutWaiting) {
    const auto frames = assembler.feed(kEnter, at(0));
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], kEnter);
    EXPECT_FALSE(assembler.quietDeadline());
}

TEST_F(FrameAssemblerTest, TwoCommandFramesInOneReadAreSeparated) {
    const auto frames = assembler.feed(join(kEnter, kBlockBegin), at(0));
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0], kEnter);
    EXPECT_EQ(frames[1], kBlockBegin);
}

TEST_F(FrameAssemblerTest, FrameArrivingByteByByteIsReassembled) {
    std::vector<Bytes> frames;
    for (std::size_t i = 0; i < kPortSetting.size(); ++i) {
        const Bytes one{kPortSetting[i]};
        for (auto& frame : assembler.feed(one, at(static_cast<int>(i)))) {
            frames.push_back(frame);
        }
    }
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], kPortSetting);
}

TEST_F(FrameAssemblerTest, SlotFrameEndsOnlyAtAQuietGap) {
    EXPECT_TRUE(assembler.feed(Bytes(kSlot.begin(), kSlot.begin() + 4), at(0)).empty());
    EXPECT_TRUE(assembler.feed(Bytes(kSlot.begin() + 4, kSlot.end()), at(5)).empty());
    EXPECT_EQ(assembler.quietDeadline(), at(25));
    EXPECT_FALSE(assembler.closeIfQuiet(at(24)));
    const auto frame = assembler.closeIfQuiet(at(25));
    ASSERT_TRUE(frame);
    EXPECT_EQ(*frame, kSlot);
    EXPECT_FALSE(assembler.quietDeadline());
    // The frame was on the line when its last piece came, not at the close.
    EXPECT_EQ(assembler.lastByteAt(), at(5));
}

// A loaded machine can leave two slot frames waiting in the line together.
TEST_F(FrameAssemblerTest, SlotFramesReadTogetherAreSeparatedAtTheNextHeader) {
    const Bytes second{0xAD, 0xBD, 0x3D, 0x00, 0x02, 0xFA, 0x11, 0xED};
    auto frames = assembler.feed(join(kSlot, second), at(0));
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], kSlot);
    const auto last = assembler.closeIfQuiet(at(30));
    ASSERT_TRUE(last);
    EXPECT_EQ(*last, second);
}

TEST_F(FrameAssemblerTest, ASlotFrameReadWithTheBlockEndFrameIsCutBeforeIt) {
    const Bytes blockEnd{0xAD, 0x66, 0x66, 0x66, 0x66, 0xAA, 0xAB, 0xB1, 0xBD};
    const auto frames = assembler.feed(join(join(kSlot, blockEnd), join(kSlot, kPortSetting)), at(0));
    EXPECT_EQ(frames, (std::vector<Bytes>{kSlot, blockEnd, kSlot, kPortSetting}));
}

TEST_F(FrameAssemblerTest, SlotDataResemblingAHeaderWithoutTheCodeEndStaysOneFrame) {
    const Bytes slot{0xAD, 0xBD, 0x3D, 0x00, 0x03, 0xFA, 0xAD, 0xBD, 0x3D, 0x12, 0xED};
    EXPECT_TRUE(assembler.feed(slot, at(0)).empty());
    const auto frame = assembler.closeIfQuiet(at(30));
    ASSERT_TRUE(frame);
    EXPECT_EQ(*frame, slot);
}

TEST_F(FrameAssemblerTest, NewBytesAfterAGapCloseTheSlotFrameFirst) {
    EXPECT_TRUE(assembler.feed(kSlot, at(0)).empty());
    const auto frames = assembler.feed(kEnter, at(50));
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0], kSlot);
    EXPECT_EQ(frames[1], kEnter);
}

TEST_F(FrameAssemblerTest, CommandFrameCutOffBySilenceDoesNotSwallowTheNext) {
    EXPECT_TRUE(assembler.feed(Bytes{0xAD, 0x66, 0x66}, at(0)).empty());
    const auto frames = assembler.feed(kEnter, at(40));
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0], (Bytes{0xAD, 0x66, 0x66}));
    EXPECT_EQ(frames[1], kEnter);
}

TEST_F(FrameAssemblerTest, PrefixThatStopsMatchingWaitsForSilence) {
    EXPECT_TRUE(assembler.feed(Bytes{0xAD, 0x66, 0x66, 0x12, 0x66, 0xAA, 0xAA, 0xAA, 0xBD, 0x01}, at(0)).empty());
    const auto frame = assembler.closeIfQuiet(at(30));
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->size(), 10u);
}

TEST_F(FrameAssemblerTest, EndlessBabbleIsCutAtTheLimit) {
    FrameAssembler small(Millis{20}, 32);
    const Bytes babble(70, 0x55);
    const auto frames = small.feed(babble, at(0));
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].size(), 32u);
    EXPECT_EQ(frames[1].size(), 32u);
    const auto rest = small.closeIfQuiet(at(20));
    ASSERT_TRUE(rest);
    EXPECT_EQ(rest->size(), 6u);
}

}  // namespace
}  // namespace veltrano::modulesim
