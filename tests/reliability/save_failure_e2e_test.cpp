#include <algorithm>

#include "runtime/kernel/wide_text.h"
#include "tests/e2e_program/main_window_texts.h"
#include "tests/reliability/reliability_fixture.h"

namespace veltrano::reliability {
namespace {

const std::wstring kSaveFailed = L"保存失败，请检查路径或文件是否被占用。";

// Owns a file handle the driver holds open.
class HeldFile {
public:
    explicit HeldFile(HANDLE handle) : handle_(handle) {}
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;
    ~HeldFile() {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

// Names of the files beside the data file: a failed save leaves no
// temporary file behind.
std::vector<std::wstring> filesBeside(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.push_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

class SaveFailureTest : public ReliabilityTest {
protected:
    // data.dat with a code in row 3, as the program loads it at start-up.
    void SetUp() override {
        ReliabilityTest::SetUp();
        if (HasFatalFailure()) return;
        original_ = tableFileWith({{3, "FA 03 ED "}});
        ASSERT_NO_FATAL_FAILURE(restartWithDataFile(original_));
    }

    void TearDown() override {
        if (session_) SetFileAttributesW(dataFile().c_str(), FILE_ATTRIBUTE_NORMAL);
    }

    void expectSaveFailed() {
        session_->click(session_->childWithText(e2e::kSaveFile));
        const auto answer = session_->answerMessageBox(IDOK, 10s);
        ASSERT_TRUE(answer.has_value()) << "the save said nothing";
        EXPECT_EQ(*answer, kSaveFailed);
        EXPECT_TRUE(answers());
        EXPECT_EQ(filesBeside(session_->folder()), (std::vector<std::wstring>{L"data.dat", L"veltrano.exe"}));
    }

    void expectFileKept() { EXPECT_EQ(fileBytes(dataFile()), original_) << "data.dat changed"; }

    Bytes original_;
};

TEST_F(SaveFailureTest, ReadOnlyDataFileIsReportedAndKeptByteForByte) {
    ASSERT_TRUE(SetFileAttributesW(dataFile().c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_NO_FATAL_FAILURE(expectSaveFailed());
    expectFileKept();

    // Once the file may be written again the same table saves.
    ASSERT_TRUE(SetFileAttributesW(dataFile().c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(dataRows(savedTable()), (std::map<int, std::string>{{3, "FA03ED"}}));
}

TEST_F(SaveFailureTest, DataFileHeldOpenWithoutSharingIsReportedAndKeptByteForByte) {
    {
        HeldFile held(
            CreateFileW(dataFile().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(held.valid());
        ASSERT_NO_FATAL_FAILURE(expectSaveFailed());
    }
    // Read once the driver lets go: until then nobody can.
    expectFileKept();
    EXPECT_EQ(dataRows(savedTable()), (std::map<int, std::string>{{3, "FA03ED"}}));
}

// A damaged data.dat at start-up: the program shows the table it built and
// leaves the file alone; saving under another name writes the built table.
class DamagedDataFileTest : public ReliabilityTest {};

TEST_F(DamagedDataFileTest, BuiltTableIsKeptAndTheDamagedFileIsUntouched) {
    Bytes damaged = tableFileWith({{3, "FA 03 ED "}});
    damaged.resize(damaged.size() / 2);
    ASSERT_NO_FATAL_FAILURE(restartWithDataFile(damaged));
    EXPECT_TRUE(answers());
    EXPECT_EQ(driver::windowText(session_->window()), L"Veltrano   " + dataFile());

    const std::wstring other = session_->folder() + L"\\built.dat";
    session_->click(session_->childWithText(kSaveFileAs));
    ASSERT_TRUE(chooseFileInDialog(other));
    ASSERT_TRUE(driver::eventually([&] { return !fileBytes(other).empty(); }, 10s)) << "save-as wrote nothing";
    const grid::GridModel built = loadTable(other);
    EXPECT_EQ(built.rowCount(), 79);
    EXPECT_EQ(built.merges().size(), 5u);
    ASSERT_NE(built.cell(1, 1), nullptr);
    EXPECT_EQ(built.cell(1, 1)->text, codePage936FromWide(L"通道1开="));
    EXPECT_TRUE(dataRows(built).empty()) << "the table is the one built at start-up";
    EXPECT_EQ(driver::windowText(session_->window()), L"Veltrano   " + other);
    EXPECT_EQ(fileBytes(dataFile()), damaged) << "the damaged file was changed";
    EXPECT_TRUE(answers());
}

}  // namespace
}  // namespace veltrano::reliability
