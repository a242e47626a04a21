#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

#include "grid/file/grid_file.h"
#include "grid/model/byte_picture_codec.h"
#include "runtime/kernel/wide_text.h"
#include "tests/e2e_program/main_window_texts.h"
#include "tests/e2e_program/program_session.h"
#include "tools/veltrano_table/table_tool.h"

namespace veltrano::e2e {
namespace {

using namespace std::chrono_literals;

std::string withoutSpaces(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
    return text;
}

std::string fileBytes(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The table as the program saved it into its folder's data.dat.
bool loadSavedTable(const ProgramSession& session, grid::GridModel& table) {
    auto files = grid::file::makeSystemFileSystem();
    grid::BytePictureCodec pictures;
    const std::string dataFile = codePage936FromWide(session.folder() + L"\\data.dat");
    return grid::file::loadGridFile(table, dataFile, *files, pictures);
}

std::string cellText(const grid::GridModel& table, int row, int column) {
    const grid::Cell* cell = table.cell(row, column);
    return cell ? cell->text : std::string();
}

class ConfiguratorEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(simulatorFolder().empty()) << "run through run_e2e_case.sh";
        session_ = ProgramSession::start();
        ASSERT_NE(session_, nullptr) << "the program's window did not come up";
    }

    void openPort() { ASSERT_TRUE(session_->openPort(portName())) << "the simulator's port did not open"; }

    // Clicks a module button, confirms, and waits for its sequence to end.
    void runModuleSequence(const std::string& caption) {
        ASSERT_TRUE(session_->runModuleSequence(caption, 60s)) << "the sequence did not run to its end";
    }

    template <typename Condition>
    static bool eventually(Condition condition) {
        return driver::eventually(condition, 10s);
    }

    HWND testInput() const { return session_->testInput(); }

    // Saves as the user does, expects the success message and, when asked
    // for, reads the saved data.dat back.
    void saveTable(grid::GridModel* saved = nullptr) {
        session_->click(session_->childWithText(kSaveFile));
        const auto answer = session_->answerMessageBox(IDOK, 10s);
        ASSERT_TRUE(answer.has_value());
        EXPECT_EQ(*answer, wideFromCodePage936(kSaved));
        if (saved != nullptr) {
            ASSERT_TRUE(loadSavedTable(*session_, *saved));
        }
    }

    std::unique_ptr<ProgramSession> session_;
};

std::wstring withoutWideSpaces(std::wstring text) {
    text.erase(std::remove(text.begin(), text.end(), L' '), text.end());
    return text;
}

TEST_F(ConfiguratorEndToEnd, FirstStartShowsTheDefaultTableAndSavingCreatesDataDat) {
    EXPECT_TRUE(fileBytes(session_->folder() + L"\\data.dat").empty()) << "the case starts without data.dat";
    EXPECT_EQ(driver::windowText(session_->window()), L"Veltrano   " + session_->folder() + L"\\data.dat");
    for (const std::string* caption : {&kWriteModule, &kReadModule, &kClearModule, &kLearn, &kSendTest, &kSetRates}) {
        HWND button = session_->childWithText(*caption);
        ASSERT_NE(button, nullptr);
        EXPECT_FALSE(IsWindowEnabled(button)) << "module buttons wait for an open port";
    }

    grid::GridModel table;
    ASSERT_NO_FATAL_FAILURE(saveTable(&table));
    // The table tool starts imports from this very file.
    std::wstring emptyTable = L"Z:" + wideFromCodePage936(VELTRANO_EMPTY_TABLE);
    std::replace(emptyTable.begin(), emptyTable.end(), L'/', L'\\');
    EXPECT_EQ(fileBytes(session_->folder() + L"\\data.dat"), fileBytes(emptyTable));
    EXPECT_EQ(table.rowCount(), 79);
    EXPECT_EQ(cellText(table, 0, 0), "\xC9\xE8\xB1\xB8");                          // 设备
    EXPECT_EQ(cellText(table, 0, 2), "\xD7\xD4\xB6\xA8\xD2\xE5\xCA\xFD\xBE\xDD");  // 自定义数据
    EXPECT_EQ(cellText(table, 1, 0), "\xCA\xB1\xD0\xF2\xC6\xF7");                  // 时序器
    EXPECT_EQ(cellText(table, 78, 1), "\xD7\xD4\xB6\xA8\xD2\xE5\x31\x32");         // 自定义12
    EXPECT_EQ(table.merges().size(), 5u);
    for (int row = 1; row <= 78; ++row) EXPECT_EQ(cellText(table, row, 2), "") << "row " << row;
}

TEST_F(ConfiguratorEndToEnd, TypedTestCodeReachesTheModuleByteForByte) {
    ASSERT_NO_FATAL_FAILURE(openPort());
    // "打开端口: " + the port + " 115200"
    EXPECT_NE(session_->logText().find(L"\u6253\u5F00\u7AEF\u53E3: " + portName() + L" 115200\r\n"), std::wstring::npos)
        << "log: " << codePage936FromWide(session_->logText());
    HWND input = testInput();
    ASSERT_NE(input, nullptr);
    SendMessageW(input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"FA 11 22 33 ED"));
    session_->click(session_->childWithText(kSendTest));
    EXPECT_TRUE(eventually([] { return moduleStatusLines("typed") == std::vector<std::string>{"typed FA112233ED"}; }));
}

TEST_F(ConfiguratorEndToEnd, LearningLogsTheLearnedCode) {
    ASSERT_NO_FATAL_FAILURE(openPort());
    session_->click(session_->childWithText(kLearn));
    EXPECT_TRUE(eventually([this] {
        return withoutWideSpaces(session_->logText()).find(L"FA0102030405ED") != std::wstring::npos;
    })) << "log: "
        << session_->logText().size() << " characters";
}

TEST_F(ConfiguratorEndToEnd, PortSettingReachesTheModule) {
    ASSERT_NO_FATAL_FAILURE(openPort());
    session_->click(session_->childWithText(kSetRates));
    ASSERT_TRUE(session_->answerMessageBox(IDOK, 10s).has_value()) << "no confirmation was asked";
    // Four 9600 rates as the window starts with, bound to the sequencer.
    EXPECT_TRUE(eventually([] {
        return moduleStatusLines("port-setting") == std::vector<std::string>{"port-setting 9600 9600 9600 9600 1"};
    }));
}

TEST_F(ConfiguratorEndToEnd, ReadBackFillsTheTableAndSaveWritesIt) {
    ASSERT_NO_FATAL_FAILURE(openPort());
    ASSERT_NO_FATAL_FAILURE(runModuleSequence(kReadModule));

    grid::GridModel table;
    ASSERT_NO_FATAL_FAILURE(saveTable(&table));
    const auto expected = preloadedRows();
    ASSERT_FALSE(expected.empty());
    for (int row = 1; row <= 78; ++row) {
        const std::string text = withoutSpaces(cellText(table, row, 2));
        const auto stored = expected.find(row);
        EXPECT_EQ(text, stored == expected.end() ? std::string() : stored->second) << "row " << row;
    }
}

TEST_F(ConfiguratorEndToEnd, SavedTableLoadsIdenticallyAfterARestart) {
    ASSERT_NO_FATAL_FAILURE(openPort());
    ASSERT_NO_FATAL_FAILURE(runModuleSequence(kReadModule));
    ASSERT_NO_FATAL_FAILURE(saveTable());
    const std::wstring dataFile = session_->folder() + L"\\data.dat";
    const std::string first = fileBytes(dataFile);
    ASSERT_FALSE(first.empty());

    const std::wstring folder = session_->folder();
    ASSERT_TRUE(session_->close());
    session_ = ProgramSession::startIn(folder);
    ASSERT_NE(session_, nullptr);
    // The table came from data.dat at start-up; saving it again changes nothing.
    ASSERT_NO_FATAL_FAILURE(saveTable());
    EXPECT_EQ(fileBytes(dataFile), first);
}

TEST_F(ConfiguratorEndToEnd, ClosingThePortDuringAReadBackAndReopeningEnablesTheModuleButtons) {
    ASSERT_NO_FATAL_FAILURE(openPort());
    HWND read = session_->childWithText(kReadModule);
    ASSERT_NE(read, nullptr);
    for (int i = 0; i < 100 && !IsWindowEnabled(read); ++i) Sleep(50);
    session_->click(read);
    ASSERT_TRUE(session_->answerMessageBox(IDOK, 10s).has_value());
    // Records are on their way (the module paces them slowly here).
    ASSERT_TRUE(eventually(
        [] { return !moduleStatusLines("frames").empty() && moduleStatusLines("frames")[0] != "frames 0"; }));
    Sleep(1500);
    HWND portButton = session_->childWithText(kClosePort);
    ASSERT_NE(portButton, nullptr);
    session_->click(portButton);
    ASSERT_TRUE(eventually([&] { return session_->buttonText(portButton) == wideFromCodePage936(kOpenPort); }));
    Sleep(500);
    EXPECT_FALSE(IsWindowEnabled(read)) << "an interrupted read-back leaves the module buttons off";

    session_->click(portButton);
    ASSERT_TRUE(eventually([&] { return session_->buttonText(portButton) == wideFromCodePage936(kClosePort); }));
    EXPECT_TRUE(eventually([&] { return IsWindowEnabled(read) != FALSE; })) << "reopening the port enables them";
}

TEST_F(ConfiguratorEndToEnd, ClearThenWriteStoresTheTableInTheModule) {
    ASSERT_NO_FATAL_FAILURE(openPort());
    ASSERT_NO_FATAL_FAILURE(runModuleSequence(kReadModule));
    const auto original = preloadedRows();
    ASSERT_EQ(moduleRows(), original);

    ASSERT_NO_FATAL_FAILURE(runModuleSequence(kClearModule));
    EXPECT_TRUE(moduleRows().empty()) << "the clear frame empties the module";

    ASSERT_NO_FATAL_FAILURE(runModuleSequence(kWriteModule));
    EXPECT_EQ(moduleRows(), original) << "writing puts the table read back into the module again";
}

// The frames the module has taken so far, from its status file.
int moduleFrameCount() {
    const auto lines = moduleStatusLines("frames");
    return lines.empty() ? 0 : std::stoi(lines[0].substr(std::string("frames ").size()));
}

// The window closed in the middle of a sequence: the program ends on its own,
// with no error report, and the module is left as the whole sequence leaves
// it.
TEST_F(ConfiguratorEndToEnd, ClosingTheWindowDuringAWriteLeavesTheModuleAsAWholeWriteDoes) {
    ASSERT_NO_FATAL_FAILURE(openPort());
    ASSERT_NO_FATAL_FAILURE(runModuleSequence(kReadModule));
    ASSERT_NO_FATAL_FAILURE(runModuleSequence(kClearModule));
    ASSERT_TRUE(moduleRows().empty());

    HWND write = session_->childWithText(kWriteModule);
    ASSERT_NE(write, nullptr);
    const int before = moduleFrameCount();
    session_->click(write);
    ASSERT_TRUE(session_->answerMessageBox(IDOK, 10s).has_value());
    // Into block 1's slot frames, far from the end.
    ASSERT_TRUE(eventually([&] { return moduleFrameCount() >= before + 10; }));
    const auto exitCode = session_->closeAndWaitForExit(60s);
    ASSERT_TRUE(exitCode.has_value()) << "the program did not end after its window was closed";
    EXPECT_EQ(*exitCode, 0u) << "no runtime error report";
    EXPECT_EQ(moduleStatusLines("configuring"), std::vector<std::string>{"configuring 0"});
    EXPECT_EQ(moduleStatusLines("block"), std::vector<std::string>{"block 0"});
    EXPECT_EQ(moduleRows(), preloadedRows()) << "every row of the table was written";
}

TEST_F(ConfiguratorEndToEnd, ClosingTheWindowAsAReadBackStartsStillSendsTheReadRequest) {
    ASSERT_NO_FATAL_FAILURE(openPort());
    HWND read = session_->childWithText(kReadModule);
    ASSERT_NE(read, nullptr);
    ASSERT_TRUE(eventually([&] { return IsWindowEnabled(read) != FALSE; }));
    session_->click(read);
    ASSERT_TRUE(session_->answerMessageBox(IDOK, 10s).has_value());
    const auto exitCode = session_->closeAndWaitForExit(60s);
    ASSERT_TRUE(exitCode.has_value()) << "the program did not end after its window was closed";
    EXPECT_EQ(*exitCode, 0u) << "no runtime error report";
    // The enter frame and the read request: the module goes on to send its
    // table and end the read-back as after any read request.
    EXPECT_TRUE(eventually([] { return moduleFrameCount() == 2; }));
}

// Codes edited in a spreadsheet, imported with the table tool, opened by the
// program and written into the module arrive there unchanged.
TEST_F(ConfiguratorEndToEnd, ImportedCodesOpenInTheProgramAndReachTheModule) {
    const std::wstring folder = session_->folder();
    ASSERT_TRUE(session_->close());
    const std::string csvPath = codePage936FromWide(folder + L"\\codes.csv");
    {
        std::ofstream csv(csvPath, std::ios::binary);
        csv << "row,device,key,code\r\n1,,,fa 01 02 ed\r\n21,,HDMI1=,FA 21 ED\r\n78,,,FA 78 78 ED\r\n";
    }
    auto files = grid::file::makeSystemFileSystem();
    std::ostringstream out;
    std::ostringstream err;
    const std::vector<std::string> arguments{"import", csvPath, codePage936FromWide(folder + L"\\data.dat")};
    ASSERT_EQ(tools::runTableTool(arguments, out, err, *files), tools::kExitOk) << err.str();

    session_ = ProgramSession::startIn(folder);
    ASSERT_NE(session_, nullptr);
    ASSERT_NO_FATAL_FAILURE(openPort());
    ASSERT_NO_FATAL_FAILURE(runModuleSequence(kWriteModule));
    EXPECT_EQ(moduleRows(), (std::map<int, std::string>{{1, "FA0102ED"}, {21, "FA21ED"}, {78, "FA7878ED"}}));
}

}  // namespace
}  // namespace veltrano::e2e
