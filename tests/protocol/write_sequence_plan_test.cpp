#include "app/protocol/write_sequence_plan.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "app/protocol/frames.h"
#include "tests/support/gbk_literal.h"

namespace veltrano::protocol {
namespace {

using veltrano::test::gbk;

class RecordingSink : public hex::MessageSink {
public:
    void showMessage(const std::string& text, const std::string& caption) override {
        messages.push_back(text);
        captions.push_back(caption);
    }
    std::vector<std::string> messages;
    std::vector<std::string> captions;
};

using Table = std::array<std::string, 78>;

std::vector<std::string> sentFrames(const std::vector<WriteStep>& plan) {
    std::vector<std::string> frames;
    for (const auto& step : plan) {
        if (step.kind == WriteStep::Kind::Send) {
            frames.push_back(step.frameText);
        }
    }
    return frames;
}

std::vector<int> progressValues(const std::vector<WriteStep>& plan) {
    std::vector<int> values;
    for (const auto& step : plan) {
        if (step.kind == WriteStep::Kind::Progress) {
            values.push_back(step.value);
        }
    }
    return values;
}

TEST(WriteSequencePlanTest, OnlyRowSixtySevenFilled) {
    Table table;
    table[66] = "FA 01 02 ED ";
    const auto frames = sentFrames(planWriteSequence(table));
    const std::vector<std::string> expected{"AD66666666AAAAAABD", "AD66666666AAABA1BD", "AD66666666AAABB1BD",
                                            "AD66666666AAABA2BD", "AD66666666AAABB2BD", "AD66666666AAABA3BD",
                                            "AD66666666AAABB3BD", "AD66666666AAABA4BD", "ADBD3D0001FA0102ED",
                                            "AD66666666AAABB4BD", "AD66666666AAAABBBD"};
    EXPECT_EQ(frames, expected);
}

TEST(WriteSequencePlanTest, ProgressCountsEveryRowThenHundredThenZero) {
    Table table;
    table[20] = "11";
    const auto values = progressValues(planWriteSequence(table));
    ASSERT_EQ(values.size(), 80u);
    for (int i = 0; i < 78; ++i) {
        EXPECT_EQ(values[static_cast<std::size_t>(i)], i + 1);
    }
    EXPECT_EQ(values[78], 100);
    EXPECT_EQ(values[79], 0);
}

TEST(WriteSequencePlanTest, EachFrameIsFollowedByItsWait) {
    Table table;
    table[0] = "01";
    table[77] = "02";
    const auto plan = planWriteSequence(table);
    for (std::size_t i = 0; i < plan.size(); ++i) {
        if (plan[i].kind != WriteStep::Kind::Send) {
            continue;
        }
        ASSERT_LT(i + 1, plan.size());
        EXPECT_EQ(plan[i + 1].kind, WriteStep::Kind::Wait);
        const bool slot = plan[i].frameText.rfind("ADBD3D", 0) == 0;
        EXPECT_EQ(plan[i + 1].value, slot ? 50 : 100) << plan[i].frameText;
    }
}

TEST(WriteSequencePlanTest, ProgressFollowsTheSlotWaitOfItsRow) {
    Table table;
    table[0] = "01";
    const auto plan = planWriteSequence(table);
    // enter, wait, block 1 begin, wait, slot of row 1, wait 50, progress 1
    ASSERT_GE(plan.size(), 7u);
    EXPECT_EQ(plan[4].frameText, "ADBD3D000101");
    EXPECT_EQ(plan[5], (WriteStep{WriteStep::Kind::Wait, {}, 50}));
    EXPECT_EQ(plan[6], (WriteStep{WriteStep::Kind::Progress, {}, 1}));
    // the exit frame sits between the progress values 100 and 0
    const auto size = plan.size();
    EXPECT_EQ(plan[size - 4], (WriteStep{WriteStep::Kind::Progress, {}, 100}));
    EXPECT_EQ(plan[size - 3].frameText, "AD66666666AAAABBBD");
    EXPECT_EQ(plan[size - 2], (WriteStep{WriteStep::Kind::Wait, {}, 100}));
    EXPECT_EQ(plan[size - 1], (WriteStep{WriteStep::Kind::Progress, {}, 0}));
}

TEST(WriteSequencePlanTest, FullTableSendsEveryRowAtItsSlotInBlockOrder) {
    Table table;
    for (int row = 1; row <= 78; ++row) {
        std::array<char, 8> digits{};
        std::snprintf(digits.data(), digits.size(), "%02X ", row);
        table[static_cast<std::size_t>(row - 1)] = std::string("FA ") + digits.data() + "ED";
    }
    const auto frames = sentFrames(planWriteSequence(table));
    ASSERT_EQ(frames.size(), 78u + 10u);
    // Block 1 after enter and its begin frame: rows 1..18, then 24, 25, 46, 47.
    EXPECT_EQ(frames[2], "ADBD3D0001FA01ED");
    EXPECT_EQ(frames[19], "ADBD3D0385FA12ED");
    EXPECT_EQ(frames[20], "ADBD3D03E9FA18ED");
    EXPECT_EQ(frames[23], "ADBD3D0515FA2FED");
    EXPECT_EQ(frames[26], "ADBD3D0641FA15ED");
    EXPECT_EQ(frames[29], "AD66666666AAABB1BD");
    EXPECT_EQ(frames[30], "AD66666666AAABA2BD");
    EXPECT_EQ(frames[31], "ADBD3D0001FA1AED");
    EXPECT_EQ(frames.back(), "AD66666666AAAABBBD");
}

TEST(WriteSequencePlanTest, SpacesOnlyCountsAsEmptyAndSpacesAreDroppedFromData) {
    Table table;
    table[1] = "   ";
    table[2] = gbk("　");
    table[3] = gbk(" fa　01 ");
    const auto frames = sentFrames(planWriteSequence(table));
    ASSERT_EQ(frames.size(), 11u);
    EXPECT_EQ(frames[2], "ADBD3D0097fa01");
}

TEST(WriteSequencePlanTest, MissingRowsCountAsEmpty) {
    const std::vector<std::string> firstRowOnly{"01"};
    const auto plan = planWriteSequence(firstRowOnly);
    EXPECT_EQ(sentFrames(plan).size(), 11u);
    EXPECT_EQ(progressValues(plan).size(), 80u);
}

TEST(InvalidDataCheckTest, FirstBadRowIsNamedAndTheCodecSpeaksOnce) {
    Table table;
    table[0] = "FA ED";
    table[4] = "FA EG";
    table[9] = "ABC";
    RecordingSink sink;
    EXPECT_EQ(firstInvalidRow(table, sink), 5);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0], gbk("无效的十六进制字符: G"));
    EXPECT_EQ(sink.captions[0], gbk("错误"));
}

TEST(InvalidDataCheckTest, OddLengthAfterSpacesAreRemoved) {
    Table table;
    table[9] = "AB C";
    RecordingSink sink;
    EXPECT_EQ(firstInvalidRow(table, sink), 10);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0], gbk("十六进制数据长度必须是偶数"));
}

TEST(InvalidDataCheckTest, TabInsideDataIsInvalid) {
    Table table;
    table[77] = "FA\tED";
    RecordingSink sink;
    EXPECT_EQ(firstInvalidRow(table, sink), 78);
}

TEST(InvalidDataCheckTest, EmptyAndSpaceOnlyRowsPassSilently) {
    Table table;
    table[0] = "  ";
    table[1] = gbk("　 　");
    table[2] = "fa 01 02 ed";
    RecordingSink sink;
    EXPECT_FALSE(firstInvalidRow(table, sink));
    EXPECT_TRUE(sink.messages.empty());
}

}  // namespace
}  // namespace veltrano::protocol
