// veltrano-module against the module simulator on pseudo-terminals: the
// real program, the real line layer, the real simulator.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <map>
#include <numeric>
#include <sstream>
#include <thread>

#include "app/protocol/frames.h"
#include "app/protocol/key_table.h"
#include "app/protocol/slot_table.h"
#include "app/protocol/write_sequence_plan.h"
#include "tests/veltrano_module/cli_harness.h"
#include "tools/module_sim/text_files.h"
#include "tools/posix/pseudo_terminal.h"

namespace veltrano::module::test {
namespace {

using modulesim::Bytes;

std::map<int, Bytes> demoStore() {
    std::ifstream in(VELTRANO_DEMO_STORE);
    std::ostringstream text;
    text << in.rdbuf();
    return modulesim::parseStore(text.str()).value();
}

// The store as the table tool's CSV, codes in lower case with spaces, the
// way a spreadsheet may hold them.
std::string csvOf(const std::map<int, Bytes>& store) {
    std::string csv = "row,device,key,code\r\n";
    for (const auto& [row, data] : store) {
        std::string code;
        for (const std::uint8_t byte : data) {
            static constexpr char kDigits[] = "0123456789abcdef";
            code += kDigits[byte >> 4];
            code += kDigits[byte & 15];
            code += ' ';
        }
        csv += std::to_string(row) + ",,," + code + "\r\n";
    }
    return csv;
}

std::vector<std::string> texts(const std::map<int, Bytes>& store) {
    std::vector<std::string> column(protocol::kKeyRowCount);
    for (const auto& [row, data] : store) column[static_cast<std::size_t>(row - 1)] = modulesim::compactHex(data);
    return column;
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class ModuleCli : public ::testing::Test {
protected:
    void SetUp() override {
        store = demoStore();
        tablePath = scratch.path("room.csv");
        writeText(tablePath, csvOf(store));
    }

    std::map<int, std::string> storedRows(const SimulatedModule& module) const {
        const auto status = module.status();
        return status ? status->rows : std::map<int, std::string>{};
    }

    std::map<int, std::string> expectedRows() const {
        std::map<int, std::string> rows;
        for (const auto& [row, data] : store) rows[row] = modulesim::compactHex(data);
        return rows;
    }

    ScratchFolder scratch;
    std::map<int, Bytes> store;
    std::string tablePath;
};

// The frames the program sends for a table are those of its write plan,
// and the simulator logs what reaches it: the tool's log must be the plan,
// frame for frame and byte for byte, each frame no sooner after the one
// before than the plan's wait.
TEST_F(ModuleCli, WriteSendsTheProgramsFramesWithItsWaits) {
    SimulatedModule module(scratch.path("module"), {});
    ASSERT_TRUE(module.running());
    const ToolRun run = runTool(scratch.path("."), {"write", tablePath, "--port", module.link()});
    ASSERT_EQ(run.exitCode, 0) << run.err;

    std::vector<Bytes> planned;
    std::vector<int> waits;
    for (const protocol::WriteStep& step : protocol::planWriteSequence(texts(store))) {
        if (step.kind == protocol::WriteStep::Kind::Send)
            planned.push_back(protocol::frameBytes(step.frameText).value());
        if (step.kind == protocol::WriteStep::Kind::Wait) waits.push_back(step.value);
    }
    ASSERT_EQ(waits.size(), planned.size());
    const std::vector<LogLine> frames = module.received();
    ASSERT_EQ(frames.size(), planned.size());
    for (std::size_t index = 0; index < planned.size(); ++index) {
        EXPECT_EQ(frames[index].bytes, planned[index]) << "frame " << index;
    }
    // Measured from the first frame: a busy machine can stamp any frame
    // late, which shortens the gap after it but never the time since the
    // start. A frame sent early shows either way.
    constexpr long long kLogSlack = 25;
    long long plannedSinceFirst = 0;
    for (std::size_t index = 1; index < frames.size(); ++index) {
        plannedSinceFirst += waits[index - 1];
        EXPECT_GE(frames[index].millis - frames[0].millis, plannedSinceFirst - kLogSlack) << "frame " << index;
    }
    EXPECT_EQ(storedRows(module), expectedRows());
    EXPECT_FALSE(module.status()->configuring);
}

TEST_F(ModuleCli, ReadOfTheDemonstrationStoreEqualsItInTheTableTool) {
    SimulatedModule module(scratch.path("module"), {}, VELTRANO_DEMO_STORE);
    ASSERT_TRUE(module.running());
    const std::string readBack = scratch.path("read.dat");
    const ToolRun run = runTool(scratch.path("."), {"read", "--port", module.link(), "-o", readBack});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(contains(run.out, "78 rows read into")) << run.out;

    // The store's own table, made by the table tool from its CSV.
    const std::string expected = scratch.path("expected.dat");
    const ToolRun made = runTableTool(scratch.path("."), {"import", tablePath, expected});
    ASSERT_EQ(made.exitCode, 0) << made.err;
    const ToolRun diff = runTableTool(scratch.path("."), {"diff", expected, readBack});
    EXPECT_EQ(diff.exitCode, 0) << diff.out;
    EXPECT_EQ(diff.out, "");

    // The comparison can fail: a module holding one row less differs there.
    SimulatedModule fewer(scratch.path("fewer"), {"--drop-row", "40"});
    ASSERT_TRUE(fewer.running());
    ASSERT_EQ(runTool(scratch.path("."), {"write", tablePath, "--port", fewer.link()}).exitCode, 0);
    const std::string short_ = scratch.path("short.dat");
    ASSERT_EQ(runTool(scratch.path("."), {"read", "--port", fewer.link(), "-o", short_}).exitCode, 0);
    const ToolRun differs = runTableTool(scratch.path("."), {"diff", expected, short_});
    EXPECT_EQ(differs.exitCode, 1);
    EXPECT_TRUE(contains(differs.out, "row 40 ")) << differs.out;
}

// What a command prints is part of its work: output that cannot be written
// fails the command with the reason, though the module's part was done.
TEST_F(ModuleCli, OutputThatCannotBeWrittenIsExit5WithItsReason) {
    SimulatedModule module(scratch.path("module"), {}, VELTRANO_DEMO_STORE);
    ASSERT_TRUE(module.running());
    const std::string readBack = scratch.path("read.dat");
    ToolProcess tool(scratch.path("."), {"read", "--port", module.link(), "-o", readBack}, VELTRANO_MODULE, {},
                     "/dev/full");
    const ToolRun run = tool.finish(Millis{60000});
    EXPECT_EQ(run.exitCode, 5) << run.err;
    EXPECT_TRUE(contains(run.err, "veltrano-module: cannot write to standard output: no space left")) << run.err;
    const ToolRun checked = runTableTool(scratch.path("."), {"check", readBack});
    EXPECT_EQ(checked.exitCode, 0) << "the table read back was still saved whole: " << checked.out;

    const ToolRun help = [&] {
        ToolProcess helpTool(scratch.path("."), {"--help"}, VELTRANO_MODULE, {}, "/dev/full");
        return helpTool.finish(Millis{30000});
    }();
    EXPECT_EQ(help.exitCode, 5) << help.err;
}

TEST_F(ModuleCli, VerifyNamesTheRowAModuleDropped) {
    SimulatedModule module(scratch.path("module"), {"--drop-row", "21"});
    ASSERT_TRUE(module.running());
    const ToolRun run = runTool(scratch.path("."), {"write", tablePath, "--verify", "--port", module.link()});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_TRUE(contains(run.out, "row 21 (")) << run.out;
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1) << "only the dropped row differs: " << run.out;
    EXPECT_TRUE(contains(run.err, "1 row differs after writing")) << run.err;
}

TEST_F(ModuleCli, ThreeModulesWrittenInParallelAllVerify) {
    SimulatedModule first(scratch.path("first"), {});
    SimulatedModule second(scratch.path("second"), {});
    SimulatedModule third(scratch.path("third"), {});
    ASSERT_TRUE(first.running() && second.running() && third.running());
    const ToolRun run = runTool(scratch.path("."), {"write", tablePath, "--verify", "--json", "--port", first.link(),
                                                    "--port", second.link(), "--port", third.link()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    for (const SimulatedModule* module : {&first, &second, &third}) {
        EXPECT_EQ(storedRows(*module), expectedRows()) << module->link();
        EXPECT_TRUE(contains(run.out, "{\"port\": \"" + module->link() + "\", \"result\": \"verified\"")) << run.out;
    }
}

TEST_F(ModuleCli, FindNamesTheOnePortWithAModuleAndLeavesItAsItWas) {
    SimulatedModule module(scratch.path("module"), {});
    ASSERT_TRUE(module.running());
    posix::PseudoTerminal silentA;
    posix::PseudoTerminal silentB;
    silentA.makeRaw();
    silentB.makeRaw();
    const ToolRun run = runTool(scratch.path("."), {"find", "--port", silentA.slavePath(), "--port", module.link(),
                                                    "--port", silentB.slavePath()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, silentA.slavePath() + ": no module answered\n" + module.link() + ": module at 115200\n" +
                           silentB.slavePath() + ": no module answered\n");
    const auto status = module.status();
    ASSERT_TRUE(status);
    EXPECT_FALSE(status->configuring);
    const std::vector<LogLine> frames = module.received();
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[1].bytes, protocol::frameBytes(protocol::kExitConfigText).value());
}

TEST_F(ModuleCli, APulledAdapterEndsTheWriteWithExit3NamingTheLastRow) {
    // Enter and block 1 begin come first; then rows go out in block 1's order.
    constexpr int kFrames = 20;
    SimulatedModule module(scratch.path("module"), {"--hangup-after", std::to_string(kFrames)});
    ASSERT_TRUE(module.running());
    const ToolRun run = runTool(scratch.path("."), {"write", tablePath, "--port", module.link()}, Millis{20000});
    EXPECT_EQ(run.exitCode, 3) << run.err;
    const int lastRow = protocol::blockRows(1)[kFrames - 3];
    EXPECT_TRUE(contains(run.err, "the line was lost; the last row written was row " + std::to_string(lastRow) + " ("))
        << run.err;
}

TEST_F(ModuleCli, ASilentLineEndsWithExit4AfterTheEnterAndExitFramesOnly) {
    posix::PseudoTerminal silent(true);
    silent.makeRaw();
    const ToolRun run = runTool(scratch.path("."), {"write", tablePath, "--port", silent.slavePath()});
    EXPECT_EQ(run.exitCode, 4) << run.err;
    Bytes heard(64);
    const ssize_t got = ::read(silent.master(), heard.data(), heard.size());
    ASSERT_GT(got, 0);
    heard.resize(static_cast<std::size_t>(got));
    Bytes expected = protocol::frameBytes(protocol::kEnterConfigText).value();
    const Bytes exit = protocol::frameBytes(protocol::kExitConfigText).value();
    expected.insert(expected.end(), exit.begin(), exit.end());
    EXPECT_EQ(heard, expected);
}

TEST_F(ModuleCli, AReadBackThatNeverCompletesEndsWithExit4) {
    SimulatedModule module(scratch.path("module"), {"--silent-readback"}, VELTRANO_DEMO_STORE);
    ASSERT_TRUE(module.running());
    const ToolRun run = runTool(scratch.path("."), {"read", "--port", module.link(), "-o", scratch.path("x.dat")});
    EXPECT_EQ(run.exitCode, 4) << run.err;
    EXPECT_TRUE(contains(run.err, "did not answer in time")) << run.err;
}

TEST_F(ModuleCli, ABadCodeEndsWithExit2NamingItsRowAndNothingIsSent) {
    SimulatedModule module(scratch.path("module"), {});
    ASSERT_TRUE(module.running());
    // The CSV import refuses bad codes itself, but a table file can hold
    // one: a good code is imported and then damaged in place.
    const std::string csv = scratch.path("good.csv");
    writeText(csv, "row,device,key,code\r\n1,,,FA0102ED\r\n21,,,FA2121ED\r\n");
    const std::string table = scratch.path("bad.dat");
    ASSERT_EQ(runTableTool(scratch.path("."), {"import", csv, table}).exitCode, 0);
    std::string text;
    {
        std::ifstream in(table, std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(in), {});
    }
    const auto at = text.find("FA2121ED");
    ASSERT_NE(at, std::string::npos);
    text.replace(at, 8, "FA2121EG");
    writeText(table, text);

    const ToolRun run = runTool(scratch.path("."), {"write", table, "--port", module.link()});
    EXPECT_EQ(run.exitCode, 2) << run.err;
    EXPECT_TRUE(contains(run.err, "row 21 (")) << run.err;
    EXPECT_TRUE(contains(run.err, "nothing was sent")) << run.err;
    EXPECT_EQ(module.status()->frames, 0);
    EXPECT_EQ(runTool(scratch.path("."), {"write", scratch.path("missing.dat"), "--port", module.link()}).exitCode, 2);
}

TEST_F(ModuleCli, CtrlCDuringAWriteTakesTheModuleOutOfConfiguration) {
    SimulatedModule module(scratch.path("module"), {});
    ASSERT_TRUE(module.running());
    ToolProcess tool(scratch.path("."), {"write", tablePath, "--port", module.link()});
    const auto started = module.statusOnce([](const Status& s) { return s.frames >= 6; }, Millis{10000});
    ASSERT_TRUE(started && started->frames >= 6);
    tool.signal(SIGINT);
    const ToolRun run = tool.finish(Millis{10000});
    EXPECT_EQ(run.exitCode, 130) << run.err;
    EXPECT_TRUE(contains(run.err, "taken out of configuration mode")) << run.err;
    const auto status = module.statusOnce([](const Status& s) { return !s.configuring; }, Millis{2000});
    EXPECT_FALSE(status->configuring);
    EXPECT_EQ(module.received().back().bytes, protocol::frameBytes(protocol::kExitConfigText).value());
    EXPECT_LT(storedRows(module).size(), store.size()) << "the write was cut short";
}

// Standard error that is a terminal gets a progress line redrawn in place;
// a file gets none (the other cases read it empty or with messages only).
TEST_F(ModuleCli, ProgressIsDrawnOnATerminalOnly) {
    SimulatedModule module(scratch.path("module"), {});
    ASSERT_TRUE(module.running());
    posix::PseudoTerminal terminal(true);
    terminal.makeRaw();
    std::string drawn;
    std::atomic<bool> finished{false};
    std::thread reader([&] {
        const auto drain = [&] {
            char buffer[4096];
            ssize_t got = 0;
            while ((got = ::read(terminal.master(), buffer, sizeof buffer)) > 0) {
                drawn.append(buffer, static_cast<std::size_t>(got));
            }
        };
        while (!finished) {
            pollfd ready{terminal.master(), POLLIN, 0};
            if (::poll(&ready, 1, 20) > 0) drain();
        }
        drain();
    });
    ToolProcess tool(scratch.path("."), {"write", tablePath, "--port", module.link()}, VELTRANO_MODULE,
                     terminal.slavePath());
    const ToolRun run = tool.finish(Millis{60000});
    finished = true;
    reader.join();
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(drawn.find("] 78/78 writing"), std::string::npos) << drawn.substr(0, 200);
    EXPECT_NE(drawn.find("\x1b[1F\x1b[2K" + module.link() + "  [#"), std::string::npos) << "redrawn in place";

    const ToolRun quiet = runTool(scratch.path("."), {"write", tablePath, "--port", module.link()});
    EXPECT_EQ(quiet.exitCode, 0);
    EXPECT_EQ(quiet.err, "");
}

TEST_F(ModuleCli, PortSettingLearningAndTrialCodesReachTheModule) {
    SimulatedModule module(scratch.path("module"), {"--learned-code", "FA0A0B0CED", "--learn-delay-ms", "50"});
    ASSERT_TRUE(module.running());
    const ToolRun refused = runTool(scratch.path("."), {"set-baud", "9600", "16777216", "9600", "9600", "--bind",
                                                        "player", "--port", module.link()});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_TRUE(contains(refused.err, "16777216")) << refused.err;

    const ToolRun rates = runTool(scratch.path("."), {"set-baud", "9600", "19200", "38400", "57600", "--bind", "player",
                                                      "--port", module.link()});
    EXPECT_EQ(rates.exitCode, 0) << rates.err;
    EXPECT_EQ(module.status()->portSetting, "9600 19200 38400 57600 3");

    const ToolRun learned = runTool(scratch.path("."), {"learn", "--timeout", "5", "--port", module.link()});
    EXPECT_EQ(learned.exitCode, 0) << learned.err;
    EXPECT_EQ(learned.out, "FA0A0B0CED\n");

    const ToolRun sent = runTool(scratch.path("."), {"send", "fa 01 02 ed", "--port", module.link()});
    EXPECT_EQ(sent.exitCode, 0) << sent.err;
    const auto typed = module.statusOnce([](const Status& s) { return !s.typed.empty(); }, Millis{2000});
    EXPECT_EQ(typed->typed, std::vector<std::string>{"FA0102ED"});
    EXPECT_EQ(runTool(scratch.path("."), {"send", "FA0", "--port", module.link()}).exitCode, 2);
}

}  // namespace
}  // namespace veltrano::module::test
