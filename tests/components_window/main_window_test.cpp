#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/driver/program_driver.h"
#include "tests/support/program_folder.h"

namespace veltrano {
namespace {

using namespace std::chrono_literals;

// A copy of the program in a folder of its own, so that the files it keeps
// beside itself never touch the build tree; removed with everything in it.
class ProgramCopy {
public:
    ProgramCopy() {
        wchar_t temporary[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH, temporary);
        folder_ = std::wstring(temporary) + L"veltrano-main-window-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(folder_.c_str(), nullptr);
        copied_ = CopyFileW((test::folderOfThisProgram() + L"veltrano.exe").c_str(), program().c_str(), FALSE) != FALSE;
    }
    ~ProgramCopy() {
        WIN32_FIND_DATAW found{};
        HANDLE search = FindFirstFileW((folder_ + L"\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
                    DeleteFileW((folder_ + L"\\" + found.cFileName).c_str());
                }
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(folder_.c_str());
    }
    ProgramCopy(const ProgramCopy&) = delete;
    ProgramCopy& operator=(const ProgramCopy&) = delete;

    bool copied() const noexcept { return copied_; }
    std::wstring program() const { return folder_ + L"\\veltrano.exe"; }
    const std::wstring& folder() const noexcept { return folder_; }

private:
    std::wstring folder_;
    bool copied_ = false;
};

HWND focusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(copy.copied());
        program = driver::RunningProgram::start(copy.program(), copy.folder());
        ASSERT_TRUE(program.has_value());
        window = program->waitForWindow(L"KVWindow", driver::deadlineIn(30s));
        ASSERT_NE(window, nullptr) << "the main window did not appear";
    }
    void TearDown() override {
        if (window != nullptr && IsWindow(window)) PostMessageW(window, WM_CLOSE, 0, 0);
        if (program) program->waitForExit(driver::deadlineIn(20s));
    }

    ProgramCopy copy;
    std::optional<driver::RunningProgram> program;
    HWND window = nullptr;
};

// The icon is checked in-process (a window asked from another process for
// its icons answers none under Wine, even right after being given one).
TEST_F(MainWindow, ComesUpCentredWithItsCaptionSizeAndBoxes) {
    EXPECT_EQ(driver::windowText(window).rfind(L"Veltrano", 0), 0u) << "the caption starts with the program's name";
    RECT outer{};
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.right - outer.left, 740);
    // A screen lower than the window limits its height; it is centred by the
    // size the template asks for.
    EXPECT_EQ(outer.bottom - outer.top, std::min(818, GetSystemMetrics(SM_CYMAXTRACK)));
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - 740) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - 818) / 2);
    const auto style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
    EXPECT_NE(style & WS_MINIMIZEBOX, 0u);
    EXPECT_EQ(style & WS_MAXIMIZEBOX, 0u);
    EXPECT_EQ(style & WS_CAPTION, static_cast<DWORD>(WS_CAPTION));
}

TEST_F(MainWindow, EscDoesNotCloseIt) {
    const HWND focusBefore = focusOf(window);
    PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 1);
    // Tab comes after Esc in the same queue: once the focus has moved, Esc
    // has had its turn.
    PostMessageW(window, WM_KEYDOWN, VK_TAB, 1);
    EXPECT_TRUE(driver::eventually([&] { return !IsWindow(window) || focusOf(window) != focusBefore; }, 10s));
    EXPECT_TRUE(IsWindow(window)) << "Esc closed the main window";
    EXPECT_FALSE(program->waitForExit(driver::deadlineIn(0ms)).has_value());
}

}  // namespace
}  // namespace veltrano
