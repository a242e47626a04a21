#include <gtest/gtest.h>

#include "runtime/kernel/wide_text.h"
#include "tests/driver/program_driver.h"

namespace veltrano {
namespace {

using namespace std::chrono_literals;

std::wstring programNextToThisTest() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    folder.resize(folder.rfind(L'\\') + 1);
    return folder + L"veltrano.exe";
}

// Until window loading exists, the start window cannot be loaded: the program
// must say so through the fatal report and end with -1.
TEST(ProgramStart, StartWindowFailureIsReportedAndEndsWithMinusOne) {
    auto program = driver::RunningProgram::start(programNextToThisTest());
    ASSERT_TRUE(program.has_value());
    auto box = program->waitForMessageBox(driver::deadlineIn(30s));
    ASSERT_TRUE(box.has_value()) << "no message box appeared";
    EXPECT_EQ(box->caption, wideFromCodePage936("错误"));
    EXPECT_EQ(box->text.rfind(wideFromCodePage936("运行时出错!\r\n"), 0), 0u);
    EXPECT_NE(box->text.find(wideFromCodePage936("错误信息：载入启动窗口失败")), std::wstring::npos);
    EXPECT_NE(box->text.find(L"1375797249, 0"), std::wstring::npos);
    ASSERT_TRUE(driver::pressDialogButton(box->window, IDOK));
    const auto code = program->waitForExit(driver::deadlineIn(20s));
    ASSERT_TRUE(code.has_value()) << "the program did not end after the report";
    EXPECT_EQ(*code, static_cast<DWORD>(-1));
}

}  // namespace
}  // namespace veltrano
