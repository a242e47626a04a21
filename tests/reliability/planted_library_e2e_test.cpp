#include <string>
#include <vector>

#include "runtime/kernel/wide_text.h"
#include "tests/e2e_program/main_window_texts.h"
#include "tests/reliability/reliability_fixture.h"
#include "tests/support/planted_library.h"

namespace veltrano::reliability {
namespace {

std::wstring environmentText(const wchar_t* name) {
    wchar_t value[64] = {};
    const DWORD length = GetEnvironmentVariableW(name, value, 64);
    return length > 0 && length < 64 ? std::wstring(value, length) : std::wstring();
}

// A table file handed over on a stick, beside libraries named as the ones
// the program loads. The stick's root is the hardest place: the open dialog
// makes it the current directory, and the serial library's declared name,
// "\DLL\PCOMM.DLL", names a file below the current drive's root.
class PlantedLibraryTest : public ReliabilityTest {
protected:
    void SetUp() override {
        const std::wstring drive = environmentText(L"VELTRANO_E2E_DRIVE");
        ASSERT_FALSE(drive.empty()) << "run through run_reliability_case.sh with --drive";
        stick_ = drive + L"\\";
        ASSERT_TRUE(CreateDirectoryW((stick_ + L"DLL").c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
        for (const wchar_t* name : {L"PCOMM.DLL", L"DLL\\PCOMM.DLL", L"winmm.dll"}) {
            planted_.push_back(stick_ + name);
            ASSERT_TRUE(test::plantCopy(planted_.back())) << "cannot plant " << codePage936FromWide(planted_.back());
        }
        table_ = stick_ + L"房间.dat";
        ASSERT_TRUE(writeFileBytes(table_, tableFileWith({{5, "FA 05 ED"}})));
        ReliabilityTest::SetUp();
    }

    void openTheTableFromTheStick() {
        session_->click(session_->childWithText(kOpenFile));
        ASSERT_TRUE(chooseFileInDialog(table_));
        ASSERT_TRUE(
            driver::eventually([&] { return driver::windowText(session_->window()) == L"Veltrano   " + table_; }, 10s))
            << "the table on the stick was not opened";
    }

    std::vector<std::wstring> loadedPlants() const {
        std::vector<std::wstring> loaded;
        for (const std::wstring& copy : planted_) {
            if (test::plantedCopyWasLoaded(copy)) loaded.push_back(copy);
        }
        return loaded;
    }

    std::wstring stick_;
    std::wstring table_;
    std::vector<std::wstring> planted_;
};

TEST_F(PlantedLibraryTest, LibrariesBesideAnOpenedTableAreNeverLoaded) {
    // With the program's own DLL folder in place, the port opens through it.
    openTheTableFromTheStick();
    openPort();
    EXPECT_EQ(loadedPlants(), std::vector<std::wstring>{});
    ASSERT_TRUE(session_->close());

    // Without it, the program says which library it is missing and ends,
    // having loaded nothing from the stick.
    const std::wstring folder = session_->folder();
    session_.reset();
    ASSERT_TRUE(DeleteFileW((folder + L"\\DLL\\PCOMM.DLL").c_str()));
    ASSERT_TRUE(RemoveDirectoryW((folder + L"\\DLL").c_str()));
    session_ = e2e::ProgramSession::startIn(folder);
    ASSERT_NE(session_, nullptr) << "the program did not come up without its DLL folder";
    openTheTableFromTheStick();
    ASSERT_TRUE(session_->choosePort(e2e::portName()));
    session_->click(session_->childWithText(e2e::kOpenPort));
    const auto report = session_->waitForDialog(10s);
    ASSERT_TRUE(report.has_value()) << "no report of the missing library";
    EXPECT_EQ(report->caption, L"错误");
    EXPECT_EQ(report->text.rfind(L"运行时出错!\r\n", 0), 0u) << codePage936FromWide(report->text);
    EXPECT_NE(report->text.find(L"无法找到指定DLL库文件“\\DLL\\PCOMM.DLL”中的输出命令“sio_open”"), std::wstring::npos)
        << codePage936FromWide(report->text);
    e2e::ProgramSession::answerDialog(report->window, IDOK);
    EXPECT_TRUE(driver::eventually([&] { return !IsWindow(session_->window()); }, 10s)) << "the program went on";
    EXPECT_EQ(loadedPlants(), std::vector<std::wstring>{});

    // A copy on the stick does leave its mark when it is loaded, so the
    // checks above could have seen one.
    const std::wstring control = stick_ + L"control.dll";
    ASSERT_TRUE(test::plantCopy(control));
    HMODULE loaded = LoadLibraryW(control.c_str());
    ASSERT_NE(loaded, nullptr);
    EXPECT_TRUE(test::plantedCopyWasLoaded(control));
    FreeLibrary(loaded);
}

}  // namespace
}  // namespace veltrano::reliability
