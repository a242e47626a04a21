#include <algorithm>
#include <thread>

#include "app/protocol/log_lines.h"
#include "runtime/kernel/wide_text.h"
#include "tests/e2e_program/main_window_texts.h"
#include "tests/reliability/reliability_fixture.h"

namespace veltrano::reliability {
namespace {

// Faults on the serial line: the program must keep answering, log what
// arrived, keep its module buttons as its state calls for, and work again
// once the port is closed and opened on a sound line.
class LineFaultTest : public ReliabilityTest {
protected:
    // Waits until the log holds every byte the module sent.
    void expectEverythingSentIsLogged() {
        EXPECT_TRUE(driver::eventually([&] { return loggedBytes() == sentBytes(); }, 30s))
            << "logged " << loggedBytes().size() << " of " << sentBytes().size() << " bytes sent";
    }

    // Noise never stops, and what came before the port was open is not the
    // program's: the log must be one unbroken stretch of what was sent,
    // reaching at least to `mark`, a byte count sent while it was open.
    void expectLogIsAnUnbrokenStretchOfTheLine(std::size_t mark) {
        const Bytes logged = loggedBytes();
        const Bytes sent = sentBytes();
        const auto start = std::search(sent.begin(), sent.end(), logged.begin(), logged.end());
        ASSERT_NE(start, sent.end()) << "the log is not a stretch of the line (" << logged.size() << " bytes)";
        EXPECT_GE(static_cast<std::size_t>(start - sent.begin()) + logged.size(), mark)
            << "the log stops short of what was sent";
    }

    // What arrived before the line went is logged in order; the tail that
    // was still on its way may be lost with the line.
    void expectLoggedBytesStartTheSentOnes() {
        const Bytes sent = sentBytes();
        const Bytes logged = loggedBytes();
        ASSERT_LE(logged.size(), sent.size());
        EXPECT_TRUE(std::equal(logged.begin(), logged.end(), sent.begin())) << "the log shows bytes never sent";
    }

    void expectButtonsFollowTheLog() {
        if (logSaysReadBackOpen()) {
            EXPECT_TRUE(moduleButtonsDisabled()) << "a read-back that never completed leaves the buttons off";
        } else {
            EXPECT_TRUE(moduleButtonsEnabled());
        }
        EXPECT_TRUE(portButtonEnabled());
    }

    void reopenPort() {
        ASSERT_NO_FATAL_FAILURE(closePort());
        EXPECT_TRUE(moduleButtonsDisabled()) << "a closed port leaves the module buttons off";
        ASSERT_NO_FATAL_FAILURE(openPort());
        EXPECT_TRUE(driver::eventually([&] { return moduleButtonsEnabled(); }, 5s)) << "reopening enables them";
    }
};

TEST_F(LineFaultTest, NoiseDuringAWriteAndAReadBack) {
    ASSERT_NO_FATAL_FAILURE(openPort());
    ASSERT_NO_FATAL_FAILURE(startModuleSequence(e2e::kReadModule));
    ASSERT_TRUE(driver::eventually([&] { return sentFrames("read-complete") == 1; }, 90s))
        << "the module did not finish its read-back";
    std::this_thread::sleep_for(2s);
    EXPECT_TRUE(answers());
    expectButtonsFollowTheLog();
    // Noise that shares a read with a record and comes after its code ends
    // up behind the code; it never replaces or splits one.
    const auto preloaded = e2e::preloadedRows();
    const auto table = dataRows(savedTable());
    for (const auto& [row, hex] : table) {
        const auto stored = preloaded.find(row);
        ASSERT_NE(stored, preloaded.end()) << "row " << row;
        EXPECT_EQ(hex.rfind(stored->second, 0), 0u) << "row " << row << ": " << hex;
    }

    // Noise only comes towards the program: what it writes arrives intact.
    ASSERT_NO_FATAL_FAILURE(runModuleSequence(e2e::kWriteModule));
    EXPECT_TRUE(answers());
    const auto written = e2e::moduleRows();
    for (const auto& [row, hex] : table) {
        const auto stored = written.find(row);
        EXPECT_TRUE(stored != written.end() && stored->second == hex) << "row " << row;
    }
    const std::size_t mark = sentBytes().size();
    std::this_thread::sleep_for(1s);
    EXPECT_GT(sentFrames("noise"), 0u) << "no noise came during the case";
    expectLogIsAnUnbrokenStretchOfTheLine(mark);
    expectButtonsFollowTheLog();

    ASSERT_NO_FATAL_FAILURE(closePort());
    ASSERT_NO_FATAL_FAILURE(restartSimulator());
    ASSERT_NO_FATAL_FAILURE(openPort());
    ASSERT_NO_FATAL_FAILURE(writeAndReadBackAgree());
}

TEST_F(LineFaultTest, FramesArrivingOneByteAtATime) {
    ASSERT_NO_FATAL_FAILURE(openPort());
    ASSERT_NO_FATAL_FAILURE(startModuleSequence(e2e::kReadModule));
    // Every record and the completion frame go out byte by byte, each byte
    // a line of the simulator's log; the completion frame's nine come last.
    ASSERT_TRUE(driver::eventually([&] { return sentFrames("read-complete") == 9; }, 90s))
        << "the module did not finish its read-back";
    expectEverythingSentIsLogged();
    EXPECT_TRUE(answers());
    expectButtonsFollowTheLog();

    ASSERT_NO_FATAL_FAILURE(closePort());
    ASSERT_NO_FATAL_FAILURE(restartSimulator());
    ASSERT_NO_FATAL_FAILURE(openPort());
    ASSERT_NO_FATAL_FAILURE(writeAndReadBackAgree());
}

TEST_F(LineFaultTest, ReadBackThatNeverCompletes) {
    ASSERT_NO_FATAL_FAILURE(openPort());
    ASSERT_NO_FATAL_FAILURE(startModuleSequence(e2e::kReadModule));
    const auto preloaded = e2e::preloadedRows();
    ASSERT_TRUE(driver::eventually([&] { return sentFrames("record") == preloaded.size(); }, 60s))
        << "the module did not send its records";
    expectEverythingSentIsLogged();
    std::this_thread::sleep_for(1s);
    EXPECT_TRUE(answers());
    EXPECT_TRUE(moduleButtonsDisabled()) << "the buttons wait for a completion that never comes";
    EXPECT_TRUE(portButtonEnabled());
    EXPECT_FALSE(logHas(protocol::kReadBackCompleteLine));
    EXPECT_EQ(dataRows(savedTable()), preloaded) << "the records that came are in the table";

    ASSERT_NO_FATAL_FAILURE(closePort());
    EXPECT_TRUE(moduleButtonsDisabled());
    ASSERT_NO_FATAL_FAILURE(restartSimulator());
    ASSERT_NO_FATAL_FAILURE(openPort());
    EXPECT_TRUE(driver::eventually([&] { return moduleButtonsEnabled(); }, 5s)) << "reopening enables them";
    ASSERT_NO_FATAL_FAILURE(writeAndReadBackAgree());
    EXPECT_EQ(e2e::moduleRows(), preloaded);
}

TEST_F(LineFaultTest, LineClosedInTheMiddleOfAWrite) {
    ASSERT_NO_FATAL_FAILURE(openPort());
    // Frames 1 and 2 are the read-back's, 3 to 5 the clear's; the write's
    // enter, block and slot frames follow, and the line goes after the
    // twentieth, in the middle of the first block.
    ASSERT_NO_FATAL_FAILURE(runModuleSequence(e2e::kReadModule));
    const auto preloaded = e2e::preloadedRows();
    ASSERT_EQ(dataRows(savedTable()), preloaded);
    ASSERT_NO_FATAL_FAILURE(runModuleSequence(e2e::kClearModule));
    ASSERT_TRUE(e2e::moduleRows().empty());
    ASSERT_NO_FATAL_FAILURE(runModuleSequence(e2e::kWriteModule));
    ASSERT_TRUE(waitForSimulatorRestarts(1, 10s)) << "the simulator did not hang up";
    EXPECT_TRUE(answers());
    EXPECT_TRUE(moduleButtonsEnabled()) << "the write ran to its end";
    EXPECT_TRUE(portButtonEnabled());
    expectLoggedBytesStartTheSentOnes();
    const auto partial = e2e::moduleRows();
    EXPECT_FALSE(partial.empty());
    EXPECT_LT(partial.size(), preloaded.size()) << "the write was cut short";

    ASSERT_NO_FATAL_FAILURE(reopenPort());
    ASSERT_NO_FATAL_FAILURE(writeAndReadBackAgree());
    EXPECT_EQ(e2e::moduleRows(), preloaded) << "the whole table is in the module again";
}

TEST_F(LineFaultTest, LineClosedInTheMiddleOfAReadBack) {
    ASSERT_NO_FATAL_FAILURE(openPort());
    ASSERT_NO_FATAL_FAILURE(startModuleSequence(e2e::kReadModule));
    ASSERT_TRUE(waitForSimulatorRestarts(1, 60s)) << "the simulator did not hang up";
    std::this_thread::sleep_for(1s);
    EXPECT_TRUE(answers());
    EXPECT_TRUE(logHas(protocol::kReadBackStartedLine));
    EXPECT_TRUE(moduleButtonsDisabled()) << "the read-back never completed";
    EXPECT_TRUE(portButtonEnabled());
    expectLoggedBytesStartTheSentOnes();

    // The records that arrived are in the table, and no others.
    const auto table = dataRows(savedTable());
    const auto preloaded = e2e::preloadedRows();
    EXPECT_FALSE(table.empty());
    EXPECT_LT(table.size(), preloaded.size());
    for (const auto& [row, hex] : table) {
        const auto stored = preloaded.find(row);
        ASSERT_NE(stored, preloaded.end()) << "row " << row;
        EXPECT_EQ(hex, stored->second) << "row " << row;
    }

    ASSERT_NO_FATAL_FAILURE(reopenPort());
    ASSERT_NO_FATAL_FAILURE(writeAndReadBackAgree());
    EXPECT_EQ(e2e::moduleRows(), preloaded) << "the module lost nothing";
}

}  // namespace
}  // namespace veltrano::reliability
