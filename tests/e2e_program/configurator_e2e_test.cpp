#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "grid/file/grid_file.h"
#include "grid/model/byte_picture_codec.h"
#include "runtime/kernel/wide_text.h"
#include "tests/e2e_program/program_session.h"

namespace veltrano::e2e {
namespace {

using namespace std::chrono_literals;

// Texts of the main window, in code page 936.
const std::string kOpenPort = "\xBF\xAA\xC6\xF4";          // 开启
const std::string kClosePort = "\xB9\xD8\xB1\xD5";         // 关闭
const std::string kReadModule = "\xB6\xC1\xC8\xA1\xC4\xA3\xBF\xE9";   // 读取模块
const std::string kWriteModule = "\xD0\xB4\xC8\xEB\xC4\xA3\xBF\xE9";  // 写入模块
const std::string kClearModule = "\xC7\xE5\xBF\xD5\xC4\xA3\xBF\xE9";  // 清空模块
const std::string kSaveFile = "\xB1\xA3\xB4\xE6\xCE\xC4\xBC\xFE";     // 保存文件
const std::string kSendTest = "\xB2\xE2\xCA\xD4";  // 测试
const std::string kLearn = "\xD1\xA7\xCF\xB0";     // 学习
const std::string kSetRates = "\xC9\xE8\xD6\xC3\xB2\xA8\xCC\xD8\xC2\xCA";  // 设置波特率
const std::string kTestInputStart = "\xBD\xAB\xCA\xD5\xB5\xBD";  // 将收到 (the test input's first words)
const std::string kSaved = "\xB1\xA3\xB4\xE6\xB3\xC9\xB9\xA6\xA3\xA1";  // 保存成功！

std::string withoutSpaces(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
    return text;
}

class ConfiguratorEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(simulatorFolder().empty()) << "run through run_e2e_case.sh";
        session_ = ProgramSession::start();
        ASSERT_NE(session_, nullptr) << "the program's window did not come up";
    }

    void openPort() {
        ASSERT_TRUE(session_->choosePort(portName())) << "the port list does not offer the simulator's port";
        HWND button = session_->childWithText(kOpenPort);
        ASSERT_NE(button, nullptr);
        session_->click(button);
        for (int i = 0; i < 100 && session_->buttonText(button) != wideFromCodePage936(kClosePort); ++i) Sleep(50);
        ASSERT_EQ(session_->buttonText(button), wideFromCodePage936(kClosePort)) << "the port did not open";
    }

    // Clicks a module button, confirms, and waits for its sequence to end.
    void runModuleSequence(const std::string& caption) {
        HWND button = session_->childWithText(caption);
        ASSERT_NE(button, nullptr);
        for (int i = 0; i < 100 && !IsWindowEnabled(button); ++i) Sleep(50);
        ASSERT_TRUE(IsWindowEnabled(button)) << "module buttons are enabled once the port is open";
        session_->click(button);
        ASSERT_TRUE(session_->answerMessageBox(IDOK, 10s).has_value()) << "no confirmation was asked";
        ASSERT_TRUE(session_->waitForSequenceEnd(button, 60s));
    }

    // Polls until the condition holds or ten seconds have passed.
    template <typename Condition>
    static bool eventually(Condition condition) {
        for (int i = 0; i < 200; ++i) {
            if (condition()) return true;
            Sleep(50);
        }
        return condition();
    }

    HWND testInput() const {
        for (HWND child : driver::childWindows(session_->window())) {
            if (driver::windowClass(child) == L"Edit" &&
                driver::windowText(child).rfind(wideFromCodePage936(kTestInputStart), 0) == 0) {
                return child;
            }
        }
        return nullptr;
    }

    std::unique_ptr<ProgramSession> session_;
};

std::wstring withoutWideSpaces(std::wstring text) {
    text.erase(std::remove(text.begin(), text.end(), L' '), text.end());
    return text;
}

TEST_F(ConfiguratorEndToEnd, TypedTestCodeReachesTheModuleByteForByte) {
    ASSERT_NO_FATAL_FAILURE(openPort());
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
    })) << "log: " << session_->logText().size() << " characters";
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

    session_->click(session_->childWithText(kSaveFile));
    const auto answer = session_->answerMessageBox(IDOK, 10s);
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(*answer, wideFromCodePage936(kSaved));

    grid::GridModel table;
    auto files = grid::file::makeSystemFileSystem();
    grid::BytePictureCodec pictures;
    const std::string dataFile = codePage936FromWide(session_->folder() + L"\\data.dat");
    ASSERT_TRUE(grid::file::loadGridFile(table, dataFile, *files, pictures));
    const auto expected = preloadedRows();
    ASSERT_FALSE(expected.empty());
    for (int row = 1; row <= 78; ++row) {
        const grid::Cell* cell = table.cell(row, 2);
        const std::string text = cell ? withoutSpaces(cell->text) : std::string();
        const auto stored = expected.find(row);
        EXPECT_EQ(text, stored == expected.end() ? std::string() : stored->second) << "row " << row;
    }
}

std::string fileBytes(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST_F(ConfiguratorEndToEnd, SavedTableLoadsIdenticallyAfterARestart) {
    ASSERT_NO_FATAL_FAILURE(openPort());
    ASSERT_NO_FATAL_FAILURE(runModuleSequence(kReadModule));
    session_->click(session_->childWithText(kSaveFile));
    ASSERT_TRUE(session_->answerMessageBox(IDOK, 10s).has_value());
    const std::wstring dataFile = session_->folder() + L"\\data.dat";
    const std::string first = fileBytes(dataFile);
    ASSERT_FALSE(first.empty());

    const std::wstring folder = session_->folder();
    ASSERT_TRUE(session_->close());
    session_ = ProgramSession::startIn(folder);
    ASSERT_NE(session_, nullptr);
    // The table came from data.dat at start-up; saving it again changes nothing.
    session_->click(session_->childWithText(kSaveFile));
    const auto answer = session_->answerMessageBox(IDOK, 10s);
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(*answer, wideFromCodePage936(kSaved));
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
    ASSERT_TRUE(eventually([] { return !moduleStatusLines("frames").empty() && moduleStatusLines("frames")[0] != "frames 0"; }));
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

}  // namespace
}  // namespace veltrano::e2e
