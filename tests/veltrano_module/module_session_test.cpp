#include "tools/veltrano_module/module_session.h"

#include <gtest/gtest.h>

#include "app/protocol/frames.h"
#include "app/protocol/key_table.h"
#include "app/protocol/write_sequence_plan.h"
#include "tests/veltrano_module/scripted_line.h"

namespace veltrano::module::test {
namespace {

constexpr Millis kAnswerWithin{150};

Bytes frame(std::string_view text) {
    return protocol::frameBytes(text).value();
}

std::vector<std::string> tableWith(const std::map<int, std::string>& codes) {
    std::vector<std::string> texts(protocol::kKeyRowCount);
    for (const auto& [row, code] : codes) texts[static_cast<std::size_t>(row - 1)] = code;
    return texts;
}

std::vector<Bytes> bytesOf(const std::vector<ScriptedLine::Written>& writes) {
    std::vector<Bytes> frames;
    for (const auto& written : writes) frames.push_back(written.bytes);
    return frames;
}

class SessionTest : public ::testing::Test {
protected:
    ScriptedLine line;
    std::atomic<bool> stop{false};
    ModuleSession session{line, kAnswerWithin, &stop};
    std::vector<int> progress;
    Progress note = [this](int done, int) { progress.push_back(done); };
};

TEST_F(SessionTest, WriteSendsThePlansFramesEachAfterItsWait) {
    // Row 67 alone, then rows on either side of a block boundary.
    const auto texts = tableWith({{1, "FA 01 ED"}, {21, "fa21ed"}, {67, "FA 67 ED"}});
    const WriteOutcome outcome = session.write(texts, note);
    ASSERT_EQ(outcome.ending, Ending::Done);
    EXPECT_EQ(outcome.lastRowWritten, 67);

    std::vector<Bytes> sends;
    std::vector<int> waits;
    for (const auto& step : protocol::planWriteSequence(texts)) {
        if (step.kind == protocol::WriteStep::Kind::Send) sends.push_back(frame(step.frameText));
        if (step.kind == protocol::WriteStep::Kind::Wait) waits.push_back(step.value);
    }
    ASSERT_EQ(bytesOf(line.writes), sends);
    for (std::size_t index = 1; index < line.writes.size(); ++index) {
        EXPECT_GE(line.writes[index].at - line.writes[index - 1].at, Millis{waits[index - 1]}) << "frame " << index;
    }
    ASSERT_EQ(progress.size(), 78u);
    EXPECT_EQ(progress.front(), 1);
    EXPECT_EQ(progress.back(), 78);
}

TEST_F(SessionTest, AModuleThatNeverEchoesGetsOnlyTheEnterAndExitFrames) {
    line.echoes = false;
    const auto started = SteadyClock::now();
    const WriteOutcome outcome = session.write(tableWith({{1, "FA01ED"}}), note);
    EXPECT_EQ(outcome.ending, Ending::NoAnswer);
    EXPECT_EQ(outcome.lastRowWritten, 0);
    EXPECT_EQ(bytesOf(line.writes),
              (std::vector<Bytes>{frame(protocol::kEnterConfigText), frame(protocol::kExitConfigText)}));
    EXPECT_GE(line.writes[1].at - started, Millis{protocol::kWaitAfterCommandMs} + kAnswerWithin);
    EXPECT_TRUE(progress.empty());
}

TEST_F(SessionTest, AnEchoLaterThanTheProgramsWaitStillCountsWithinTheAnswerTime) {
    line.echoes = false;
    line.replyAfterNextWrite(frame(protocol::kEnterConfigText), Millis{protocol::kWaitAfterCommandMs + 60});
    const WriteOutcome outcome = session.write(tableWith({{1, "FA01ED"}}), note);
    EXPECT_EQ(outcome.ending, Ending::Done);
    EXPECT_EQ(outcome.lastRowWritten, 1);
}

TEST_F(SessionTest, ProbeTellsAnsweringModulesApartAndAlwaysSendsTheExitFrame) {
    bool answered = false;
    EXPECT_EQ(session.probe(answered), Ending::Done);
    EXPECT_TRUE(answered);
    line.echoes = false;
    EXPECT_EQ(session.probe(answered), Ending::Done);
    EXPECT_FALSE(answered);
    EXPECT_EQ(bytesOf(line.writes),
              (std::vector<Bytes>{frame(protocol::kEnterConfigText), frame(protocol::kExitConfigText),
                                  frame(protocol::kEnterConfigText), frame(protocol::kExitConfigText)}));
}

TEST_F(SessionTest, ALostLineEndsTheWriteNamingTheLastRowThatWentOut) {
    // enter, block 1 begin, rows 1, 2 and 3; row 17 no longer goes out.
    line.writesBeforeLoss = 5;
    const WriteOutcome outcome = session.write(tableWith({{1, "01"}, {2, "02"}, {3, "03"}, {17, "17"}}), note);
    EXPECT_EQ(outcome.ending, Ending::LineLost);
    EXPECT_EQ(outcome.lastRowWritten, 3);
}

TEST_F(SessionTest, AStopBetweenFramesSendsTheExitFrameAndNothingElse) {
    Progress stopAtTen = [this](int done, int) {
        if (done == 10) stop = true;
    };
    std::map<int, std::string> all;
    for (int row = 1; row <= 78; ++row) all[row] = "FA" + std::to_string(10 + row) + "ED";
    const WriteOutcome outcome = session.write(tableWith(all), stopAtTen);
    EXPECT_EQ(outcome.ending, Ending::Interrupted);
    EXPECT_EQ(outcome.lastRowWritten, 10);
    // enter, block 1 begin, rows 1..10, exit
    ASSERT_EQ(line.writes.size(), 13u);
    EXPECT_EQ(line.writes.back().bytes, frame(protocol::kExitConfigText));
}

TEST_F(SessionTest, ReadTakesEveryRecordUntilTheCompleteFrame) {
    line.rows = {{5, {0x11, 0x22}}, {60, {0xAA}}};
    const ReadOutcome outcome = session.read(note);
    ASSERT_EQ(outcome.ending, Ending::Done);
    EXPECT_EQ(outcome.rows, (std::map<int, std::string>{{5, "11 22 "}, {60, "AA "}}));
    EXPECT_EQ(progress, (std::vector<int>{5, 60}));
    EXPECT_EQ(bytesOf(line.writes),
              (std::vector<Bytes>{frame(protocol::kEnterConfigText), frame(protocol::kReadRequestText)}));
}

TEST_F(SessionTest, RecordsThatArriveInOneReadAreCutAtTheNextRowsHeader) {
    line.rows = {{5, {0x11, 0x22}}, {6, {0x33}}, {60, {0xAA}}};
    line.pace = Millis{0};
    const ReadOutcome outcome = session.read(note);
    ASSERT_EQ(outcome.ending, Ending::Done);
    EXPECT_EQ(outcome.rows, (std::map<int, std::string>{{5, "11 22 "}, {6, "33 "}, {60, "AA "}}));
}

TEST_F(SessionTest, AReadBackThatStopsHalfwayEndsWithNoAnswer) {
    line.rows = {{5, {0x11}}};
    line.echoes = true;
    line.pace = Millis{10000};
    const ReadOutcome outcome = session.read(note);
    EXPECT_EQ(outcome.ending, Ending::NoAnswer);
}

TEST_F(SessionTest, LearnGivesTheFirstCodeFromFAtoEDAndSkipsNoise) {
    line.replyAfterNextWrite({0x11, 0x22}, Millis{20});
    line.replyAfterNextWrite({0xFA, 0x0A, 0xED}, Millis{80});
    const LearnOutcome outcome = session.learn(Millis{1000});
    ASSERT_EQ(outcome.ending, Ending::Done);
    EXPECT_EQ(outcome.code, "FA0AED");
    EXPECT_EQ(bytesOf(line.writes), (std::vector<Bytes>{frame(protocol::kLearnText)}));
}

TEST_F(SessionTest, ClearAndPortSettingAreBracketedByEnterAndExit) {
    ASSERT_EQ(session.clear(), Ending::Done);
    EXPECT_EQ(bytesOf(line.writes), (std::vector<Bytes>{frame(protocol::kEnterConfigText), frame(protocol::kClearText),
                                                        frame(protocol::kExitConfigText)}));
    EXPECT_GE(line.writes[2].at - line.writes[1].at, Millis{protocol::kWaitAfterClearMs});
    line.writes.clear();
    const protocol::PortRates rates{9600, 9600, 9600, 9600};
    ASSERT_EQ(session.setPortRates(rates, 1), Ending::Done);
    ASSERT_EQ(line.writes.size(), 3u);
    EXPECT_EQ(line.writes[1].bytes, (Bytes{0xAD, 0x66, 0x77, 0x88, 0x66, 0x00, 0x25, 0x80, 0x00, 0x25, 0x80, 0x00, 0x25,
                                           0x80, 0x00, 0x25, 0x80, 0x01, 0xBD}));
    EXPECT_GE(line.writes[2].at - line.writes[1].at, Millis{protocol::kWaitAfterPortSettingMs});
}

}  // namespace
}  // namespace veltrano::module::test
