#include <gtest/gtest.h>

#include <algorithm>

#include "runtime/kernel/wide_text.h"
#include "tests/driver/program_driver.h"
#include "tests/support/program_folder.h"

namespace veltrano {
namespace {

using namespace std::chrono_literals;

std::wstring programNextToThisTest() {
    return test::folderOfThisProgram() + L"veltrano.exe";
}

bool hasChildWithText(HWND window, const std::wstring& text) {
    for (HWND child : driver::childWindows(window)) {
        if (driver::windowText(child) == text) return true;
    }
    return false;
}

// The start window comes up from the template with its components, and
// closing it ends the program normally.
TEST(ProgramStart, StartWindowAppearsAndClosingItEndsTheProgram) {
    auto program = driver::RunningProgram::start(programNextToThisTest());
    ASSERT_TRUE(program.has_value());
    HWND window = program->waitForWindow(L"KVWindow", driver::deadlineIn(30s));
    ASSERT_NE(window, nullptr) << "the start window did not appear";
    // No data.dat yet: the caption still names where it belongs.
    const std::wstring folder = programNextToThisTest().substr(0, programNextToThisTest().rfind(L'\\'));
    EXPECT_EQ(driver::windowText(window), L"Veltrano   " + folder + L"\\data.dat");
    RECT outer{};
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.right - outer.left, 740);
    // A screen lower than the window (the headless driver's is 768 pixels)
    // limits a top-level window's height.
    EXPECT_EQ(outer.bottom - outer.top, std::min(818, GetSystemMetrics(SM_CYMAXTRACK)));
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    EXPECT_NE(style & WS_MINIMIZEBOX, 0);
    EXPECT_EQ(style & WS_MAXIMIZEBOX, 0);
    for (const char* moduleButton : {"写入模块", "读取模块", "清空模块"}) {
        bool found = false;
        for (HWND child : driver::childWindows(window)) {
            if (driver::windowText(child) != wideFromCodePage936(moduleButton)) continue;
            found = true;
            EXPECT_FALSE(IsWindowEnabled(child)) << "module buttons wait for an open port";
        }
        EXPECT_TRUE(found);
    }
    EXPECT_TRUE(hasChildWithText(window, wideFromCodePage936("写入模块")));
    EXPECT_TRUE(hasChildWithText(window, wideFromCodePage936("读取模块")));
    PostMessageW(window, WM_CLOSE, 0, 0);
    const auto code = program->waitForExit(driver::deadlineIn(20s));
    ASSERT_TRUE(code.has_value()) << "the program did not end after its window closed";
    EXPECT_EQ(*code, 0u);
}

}  // namespace
}  // namespace veltrano
