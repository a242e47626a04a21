// The simulator seen from the program's side of the line: a client built on
// the protocol library sends what the program sends and checks what comes
// back and what the simulator reports.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "app/hex/hex_codec.h"
#include "app/protocol/frames.h"
#include "app/protocol/key_table.h"
#include "app/protocol/receive_classifier.h"
#include "app/protocol/write_sequence_plan.h"
#include "tests/module_sim/sim_harness.h"
#include "tools/module_sim/text_files.h"

namespace veltrano::modulesim::test {
namespace {

using Table = std::array<std::string, 78>;

// Every row filled, each with a different length and content, written the
// way column 2 shows data (pairs and spaces).
Table filledTable() {
    Table table;
    for (int row = 1; row <= 78; ++row) {
        std::string text = "FA ";
        for (int i = 0; i < row % 7 + 1; ++i) {
            std::array<char, 4> pair{};
            std::snprintf(pair.data(), pair.size(), "%02X", (row * 37 + i * 11) & 0xFF);
            text += pair.data();
            text += ' ';
        }
        text += "ED ";
        table[static_cast<std::size_t>(row - 1)] = text;
    }
    return table;
}

std::map<int, std::string> expectedRows(const Table& table) {
    std::map<int, std::string> rows;
    for (int row = 1; row <= 78; ++row) {
        const std::string data = protocol::removeAllSpaces(table[static_cast<std::size_t>(row - 1)]);
        if (!data.empty()) {
            rows[row] = data;
        }
    }
    return rows;
}

std::map<int, Bytes> storeOf(const Table& table) {
    std::map<int, Bytes> store;
    for (const auto& [row, data] : expectedRows(table)) {
        store[row] = hexBytes(data);
    }
    return store;
}

Bytes record(int row, const Bytes& data) {
    Bytes bytes{0xDA, 0xDB, static_cast<std::uint8_t>(row)};
    bytes.insert(bytes.end(), data.begin(), data.end());
    return bytes;
}

const Bytes kEnter = hexBytes(protocol::kEnterConfigText);
const Bytes kExit = hexBytes(protocol::kExitConfigText);
const Bytes kRead = hexBytes(protocol::kReadRequestText);
const Bytes kComplete = hexBytes(protocol::kReadCompleteText);

Bytes readBackStream(const std::map<int, Bytes>& store, bool complete) {
    Bytes stream = kEnter;
    stream.insert(stream.end(), kRead.begin(), kRead.end());
    for (const auto& [row, data] : store) {
        const Bytes one = record(row, data);
        stream.insert(stream.end(), one.begin(), one.end());
    }
    if (complete) {
        stream.insert(stream.end(), kComplete.begin(), kComplete.end());
    }
    return stream;
}

// True once the log holds a write of `kind`.
auto hasSent(const std::string& kind) {
    return [kind](const std::vector<LogLine>& lines) {
        return std::any_of(lines.begin(), lines.end(),
                           [&](const LogLine& line) { return line.direction == "tx" && line.kind == kind; });
    };
}

std::vector<LogLine> sentOfKind(const std::vector<LogLine>& lines, const std::string& kind) {
    std::vector<LogLine> sent;
    for (const auto& line : lines) {
        if (line.direction == "tx" && line.kind == kind) {
            sent.push_back(line);
        }
    }
    return sent;
}

class ModuleSimulatorTest : public SimulatorFixture {
protected:
    // Carries out the write plan the program follows; instead of its fixed
    // waits, each frame is let through once the simulator has taken it.
    void writeTable(const Table& table) {
        for (const auto& step : protocol::planWriteSequence(table)) {
            if (step.kind == protocol::WriteStep::Kind::Send) {
                sendSettled(hexBytes(step.frameText));
            }
        }
    }

    void expectStoreEquals(const Table& table) {
        const auto now = status();
        ASSERT_TRUE(now);
        EXPECT_EQ(now->rows, expectedRows(table));
    }

    void requestReadBack() {
        sendSettled(kEnter);
        sendSettled(kRead);
    }

    // The shortest quiet gap and record pace, so the tests take little time.
    static std::vector<std::string> fast(std::vector<std::string> more = {}) {
        std::vector<std::string> options{"--gap-ms", "10", "--pace-ms", "30"};
        options.insert(options.end(), more.begin(), more.end());
        return options;
    }
};

TEST_F(ModuleSimulatorTest, WrittenTableIsStoredRowByRow) {
    start(fast());
    const Table table = filledTable();
    writeTable(table);
    expectStoreEquals(table);
    ASSERT_TRUE(receiveUntil([](const Bytes& got) { return got.size() >= 18; }, Millis{3000}));
    Bytes echoes = kEnter;
    echoes.insert(echoes.end(), kExit.begin(), kExit.end());
    EXPECT_EQ(received, echoes);
    const auto now = status();
    ASSERT_TRUE(now);
    EXPECT_FALSE(now->configuring);
    EXPECT_EQ(stop(), 0);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(linkPath)));
}

TEST_F(ModuleSimulatorTest, ReadBackSendsEchoRecordsInRowOrderThenComplete) {
    const auto store = storeOf(filledTable());
    start(fast(), &store);
    requestReadBack();
    ASSERT_TRUE(receiveUntil([](const Bytes& got) { return endsWith(got, kComplete); }, Millis{10000}));
    EXPECT_EQ(received, readBackStream(store, true));

    const auto lines = waitForLog(hasSent("read-complete"), Millis{3000});
    const auto records = sentOfKind(lines, "record");
    ASSERT_EQ(records.size(), 78u);
    for (std::size_t i = 0; i < records.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        // Each record is one write, and the program's receive step takes it
        // as the row's cell text.
        const auto outcome =
            protocol::classifyReceived(records[i].bytes, true, static_cast<std::int32_t>(records[i].bytes.size()));
        ASSERT_TRUE(outcome.record) << "record " << row;
        EXPECT_EQ(outcome.record->row, row);
        EXPECT_EQ(outcome.record->cellText, hex::BytesToHex(store.at(row)));
        if (i > 0) {
            EXPECT_GE(records[i].millis - records[i - 1].millis, 30) << "record " << row;
        }
    }
    const auto complete = sentOfKind(lines, "read-complete");
    ASSERT_EQ(complete.size(), 1u);
    EXPECT_GE(complete[0].millis - records.back().millis, 30);
    EXPECT_EQ(protocol::classifyReceived(complete[0].bytes, true, 9).kind, protocol::ReceiveKind::ReadBackComplete);
}

TEST_F(ModuleSimulatorTest, ClearEmptiesTheStoreAndItsFile) {
    const auto store = storeOf(filledTable());
    start(fast(), &store);
    ASSERT_EQ(status()->rows.size(), 78u);
    sendSettled(kEnter);
    sendSettled(hexBytes(protocol::kClearText));
    sendSettled(kExit);
    EXPECT_TRUE(status()->rows.empty());
    EXPECT_EQ(readFile(storePath), std::optional<std::string>(""));
    requestReadBack();
    ASSERT_TRUE(receiveUntil([](const Bytes& got) { return endsWith(got, kComplete); }, Millis{3000}));
    Bytes expected = kEnter;
    expected.insert(expected.end(), kExit.begin(), kExit.end());
    const Bytes rest = readBackStream({}, true);
    expected.insert(expected.end(), rest.begin(), rest.end());
    EXPECT_EQ(received, expected);
}

TEST_F(ModuleSimulatorTest, StoreIsKeptAcrossRestarts) {
    start(fast());
    Table table;
    table[4] = "11 22";
    table[53] = "33";
    writeTable(table);
    ASSERT_EQ(stop(), 0);
    received.clear();
    framesSent = 0;
    start(fast());
    requestReadBack();
    ASSERT_TRUE(receiveUntil([](const Bytes& got) { return endsWith(got, kComplete); }, Millis{3000}));
    EXPECT_EQ(received, readBackStream({{5, {0x11, 0x22}}, {54, {0x33}}}, true));
}

TEST_F(ModuleSimulatorTest, LearnAnswersWithACodeFromFaToEd) {
    start(fast({"--learn-delay-ms", "50"}));
    sendSettled(hexBytes(protocol::kLearnText));
    ASSERT_TRUE(receiveUntil([](const Bytes& got) { return !got.empty() && got.back() == 0xED; }, Millis{3000}));
    ASSERT_GE(received.size(), 2u);
    EXPECT_EQ(received.front(), 0xFA);
    const auto outcome = protocol::classifyReceived(received, false, static_cast<std::int32_t>(received.size()));
    EXPECT_EQ(outcome.kind, protocol::ReceiveKind::Other);
    EXPECT_EQ(outcome.logLine, hex::BytesToHex(received) + "\r\n");
    EXPECT_EQ(status()->typed.size(), 0u);

    // The learn frame is logged when it came: the module answers only after
    // the quiet gap (10 ms) that ends it and then its learn delay.
    const auto lines = waitForLog(hasSent("learned"), Millis{3000});
    const auto learned = sentOfKind(lines, "learned");
    const auto request = std::find_if(
        lines.begin(), lines.end(), [](const LogLine& line) { return line.direction == "rx" && line.kind == "learn"; });
    ASSERT_NE(request, lines.end());
    ASSERT_EQ(learned.size(), 1u);
    EXPECT_GE(learned[0].millis - request->millis, 10 + 50);
}

TEST_F(ModuleSimulatorTest, PortSettingIsRecorded) {
    start(fast());
    sendSettled(kEnter);
    sendSettled(hexBytes(protocol::portSettingText(protocol::PortRates{9600, 19200, 38400, 115200}, 2)));
    sendSettled(kExit);
    EXPECT_EQ(status()->portSetting, "9600 19200 38400 115200 2");
}

TEST_F(ModuleSimulatorTest, TypedCodeIsRecordedByteForByte) {
    start(fast());
    sendSettled(hexBytes("FA0102AD66ED"));
    sendSettled(hexBytes("FA03ED"));
    EXPECT_EQ(status()->typed, (std::vector<std::string>{"FA0102AD66ED", "FA03ED"}));
}

TEST_F(ModuleSimulatorTest, FrameWrittenInPiecesIsReassembled) {
    // A long gap so that the pauses between the pieces never end a frame.
    start({"--gap-ms", "400"});
    const Bytes enter = kEnter;
    send(Bytes(enter.begin(), enter.begin() + 2));
    send(Bytes(enter.begin() + 2, enter.begin() + 6));
    send(Bytes(enter.begin() + 6, enter.end()));
    ASSERT_TRUE(waitForStatus([](const Status& s) { return s.frames == 1 && s.configuring; }, Millis{3000}));
    framesSent = 1;
    sendSettled(hexBytes(protocol::blockBeginText(4)));
    const Bytes slot = hexBytes(protocol::slotFrameText(1, "FA0102ED"));
    send(Bytes(slot.begin(), slot.begin() + 3));
    send(Bytes(slot.begin() + 3, slot.end()));
    ASSERT_TRUE(waitForStatus([](const Status& s) { return s.frames == 3; }, Millis{3000}));
    EXPECT_EQ(status()->rows, (std::map<int, std::string>{{67, "FA0102ED"}}));
    ASSERT_TRUE(receiveUntil([](const Bytes& got) { return got.size() >= 9; }, Millis{3000}));
    EXPECT_EQ(received, kEnter);
}

TEST_F(ModuleSimulatorTest, SeveralFixedFramesInOneWriteAreAllTaken) {
    start(fast());
    Bytes burst = kEnter;
    for (const auto& text : {protocol::blockBeginText(1), protocol::blockEndText(1), protocol::kExitConfigText}) {
        const Bytes frame = hexBytes(text);
        burst.insert(burst.end(), frame.begin(), frame.end());
    }
    send(burst);
    ASSERT_TRUE(waitForStatus([](const Status& s) { return s.frames == 4; }, Millis{3000}));
    ASSERT_TRUE(receiveUntil([](const Bytes& got) { return got.size() >= 18; }, Millis{3000}));
    Bytes echoes = kEnter;
    echoes.insert(echoes.end(), kExit.begin(), kExit.end());
    EXPECT_EQ(received, echoes);
}

TEST_F(ModuleSimulatorTest, CutOffFrameDoesNotHideTheNextOne) {
    start(fast());
    send(Bytes{0xAD, 0x66, 0x66});
    ASSERT_TRUE(waitForStatus([](const Status& s) { return s.frames == 1; }, Millis{3000}));
    framesSent = 1;
    sendSettled(kEnter);
    ASSERT_TRUE(receiveUntil([](const Bytes& got) { return got.size() >= 9; }, Millis{3000}));
    EXPECT_EQ(received, kEnter);
    const auto lines = logLines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0].kind, "fragment");
    EXPECT_EQ(lines[1].kind, "enter-config");
}

TEST_F(ModuleSimulatorTest, SplitRepliesStillCarryTheWholeTable) {
    start(fast({"--split", "--split-gap-ms", "1"}));
    const Table table = filledTable();
    writeTable(table);
    expectStoreEquals(table);
    ASSERT_TRUE(receiveUntil([](const Bytes& got) { return got.size() >= 18; }, Millis{3000}));
    received.clear();
    requestReadBack();
    ASSERT_TRUE(receiveUntil([](const Bytes& got) { return endsWith(got, kComplete); }, Millis{15000}));
    EXPECT_EQ(received, readBackStream(storeOf(table), true));
    const auto records = sentOfKind(waitForLog(hasSent("read-complete"), Millis{3000}), "record");
    for (const auto& line : records) {
        ASSERT_EQ(line.bytes.size(), 1u) << "a split reply went out in one piece";
    }
}

TEST_F(ModuleSimulatorTest, NoiseDisturbsNeitherTheStoreNorTheRecords) {
    start(fast({"--noise", "--noise-interval-ms", "20", "--seed", "7"}));
    const Table table = filledTable();
    writeTable(table);
    expectStoreEquals(table);
    received.clear();
    requestReadBack();
    ASSERT_TRUE(receiveUntil([](const Bytes& got) { return endsWith(got, kComplete); }, Millis{15000}));

    // What arrived is exactly what the simulator wrote, noise included, and
    // the records among the writes are the stored rows in order.
    const auto lines = waitForLog(hasSent("read-complete"), Millis{3000});
    Bytes written;
    std::vector<Bytes> records;
    std::size_t noiseBursts = 0;
    for (const auto& line : lines) {
        if (line.direction != "tx") {
            continue;
        }
        written.insert(written.end(), line.bytes.begin(), line.bytes.end());
        if (line.kind == "record") {
            records.push_back(line.bytes);
        } else if (line.kind == "noise") {
            ++noiseBursts;
        }
    }
    EXPECT_GT(noiseBursts, 0u);
    ASSERT_GE(written.size(), received.size());
    EXPECT_NE(std::search(written.begin(), written.end(), received.begin(), received.end()), written.end());
    const auto store = storeOf(table);
    ASSERT_EQ(records.size(), store.size());
    std::size_t i = 0;
    for (const auto& [row, data] : store) {
        EXPECT_EQ(records[i++], record(row, data)) << "row " << row;
    }
}

TEST_F(ModuleSimulatorTest, SilentReadbackNeverCompletes) {
    const std::map<int, Bytes> store{{1, {0x01}}, {2, {0x02}}, {78, {0x4E}}};
    start(fast({"--silent-readback"}), &store);
    requestReadBack();
    const Bytes expected = readBackStream(store, false);
    ASSERT_TRUE(receiveUntil([&](const Bytes& got) { return got.size() >= expected.size(); }, Millis{3000}));
    receiveUntilQuiet(Millis{300}, Millis{3000});
    EXPECT_EQ(received, expected);
    EXPECT_TRUE(sentOfKind(logLines(), "read-complete").empty());
}

TEST_F(ModuleSimulatorTest, HangUpAfterClosesTheLineMidSequence) {
    start(fast({"--hangup-after", "3"}));
    sendSettled(kEnter);
    sendSettled(hexBytes(protocol::blockBeginText(1)));
    send(hexBytes(protocol::slotFrameText(1, "FA01ED")));
    EXPECT_TRUE(waitForHangUp(Millis{3000}));
    EXPECT_EQ(waitForExit(Millis{3000}), std::optional<int>(0));
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(linkPath)));
    const auto last = status();
    ASSERT_TRUE(last);
    EXPECT_TRUE(last->hungUp);
    EXPECT_EQ(last->frames, 3);
    EXPECT_EQ(last->rows, (std::map<int, std::string>{{1, "FA01ED"}}));
}

TEST_F(ModuleSimulatorTest, BadStoreFileIsRefusedAtStart) {
    ASSERT_TRUE(replaceFile(storePath, "0 01\n"));
    spawn(fast());
    EXPECT_EQ(waitForExit(Millis{5000}), std::optional<int>(1));
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(linkPath)));
    EXPECT_EQ(readFile(storePath), std::optional<std::string>("0 01\n"));
}

}  // namespace
}  // namespace veltrano::modulesim::test
