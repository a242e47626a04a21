#include <iterator>

#include "app/protocol/log_lines.h"
#include "grid/file/grid_file.h"
#include "grid/model/byte_picture_codec.h"
#include "runtime/kernel/wide_text.h"
#include "tests/e2e_program/main_window_texts.h"
#include "tests/grid_model/application_table.h"
#include "tests/reliability/reliability_fixture.h"

namespace veltrano::reliability {
namespace {

std::string typedCodes() {
    std::string all;
    for (const std::string& line : e2e::moduleStatusLines("typed")) all += line.substr(6);
    return all;
}

// A megabyte, where the system's edit control can hold one: Wine's re-wraps a
// word-wrapped box in time that grows with the square of an unbroken line
// (16 K characters take 3 s there, 64 K take 44 s, a megabyte would take
// hours), so under Wine the text is as long as that control takes in a few
// seconds. The program's own path for the text is the same at any length.
std::size_t longTestTextLength() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    const bool underWine = ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
    return underWine ? 12u * 1024u : 1u << 20;
}

// Input the user can type or paste that the program must refuse or carry
// without harm.
class BadInputTest : public ReliabilityTest {
protected:
    std::wstring captionFor(const std::wstring& path) const { return L"Veltrano   " + path; }

    // Sets an edit box's whole text; false when the program does not take
    // it within a minute.
    static bool pasteInto(HWND edit, const std::wstring& text) {
        DWORD_PTR result = 0;
        return SendMessageTimeoutW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL, 60000,
                                   &result) != 0;
    }
};

TEST_F(BadInputTest, LongHexInTheTestBoxIsSentWhole) {
    ASSERT_NO_FATAL_FAILURE(openPort());
    HWND input = session_->testInput();
    ASSERT_NE(input, nullptr);
    std::string digits = "FA";
    const char* hex = "0123456789ABCDEF";
    for (std::size_t i = 0; digits.size() < longTestTextLength() - 2; ++i) {
        digits += hex[(i * 7) % 16];
        digits += hex[(i * 3 + 1) % 16];
    }
    digits += "ED";
    const std::wstring text(digits.begin(), digits.end());
    ASSERT_TRUE(pasteInto(input, text)) << "the test box took no megabyte of text";
    ASSERT_EQ(driver::windowText(input).size(), text.size());
    session_->click(session_->childWithText(e2e::kSendTest));
    EXPECT_TRUE(driver::eventually([&] { return typedCodes().size() >= digits.size(); }, 120s))
        << "the module got " << typedCodes().size() / 2 << " of " << digits.size() / 2 << " bytes";
    EXPECT_EQ(typedCodes(), digits) << "the frame is the typed text's bytes";
    EXPECT_TRUE(driver::eventually([&] { return logHas(protocol::kTestSentLine); }, 30s));
    EXPECT_TRUE(answers());

    // The same length with one character that is no digit: refused, named,
    // and nothing more goes out.
    std::wstring bad = text;
    bad[bad.size() / 2] = L'G';
    ASSERT_TRUE(pasteInto(input, bad));
    session_->click(session_->childWithText(e2e::kSendTest));
    const auto message = session_->answerMessageBox(IDOK, 60s);
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(*message, L"无效的十六进制字符: G");
    EXPECT_TRUE(answers());
    EXPECT_EQ(typedCodes(), digits);
}

TEST_F(BadInputTest, NonHexInEveryRowNamesTheFirstRowAndSendsNothing) {
    const char* const bad[] = {"FA 0G ED", "ZZ", "12 3X", "!!", "FA-01", "0x12", "FA 01 ED;", "QQ QQ"};
    std::map<int, std::string> rows;
    for (int row = 1; row <= 78; ++row) rows[row] = bad[static_cast<std::size_t>(row - 1) % std::size(bad)];
    rows[44] = codePage936FromWide(L"播放 FA");
    ASSERT_NO_FATAL_FAILURE(restartWithDataFile(tableFileWith(rows)));
    ASSERT_NO_FATAL_FAILURE(openPort());

    HWND write = session_->childWithText(e2e::kWriteModule);
    session_->click(write);
    const auto first = session_->answerMessageBox(IDOK, 10s);
    const auto second = session_->answerMessageBox(IDOK, 10s);
    ASSERT_TRUE(first.has_value() && second.has_value());
    EXPECT_EQ(*first, L"无效的十六进制字符: G");
    EXPECT_EQ(*second, L"位置在通道1开=");
    EXPECT_FALSE(session_->answerMessageBox(IDCANCEL, 2s).has_value()) << "no confirmation after a refusal";
    EXPECT_TRUE(answers());
    EXPECT_EQ(e2e::moduleStatusLines("frames"), std::vector<std::string>{"frames 0"}) << "nothing was sent";
    EXPECT_TRUE(moduleButtonsEnabled());

    // With the first forty rows sound, the forty-first is named.
    for (int row = 1; row <= 40; ++row) rows[row] = "FA 01 ED";
    rows[41] = "FA 0H ED";
    const std::wstring file = session_->folder() + L"\\half.dat";
    ASSERT_TRUE(writeFileBytes(file, tableFileWith(rows)));
    session_->click(session_->childWithText(kOpenFile));
    ASSERT_TRUE(chooseFileInDialog(file));
    ASSERT_TRUE(driver::eventually([&] { return driver::windowText(session_->window()) == captionFor(file); }, 10s));
    session_->click(write);
    const auto third = session_->answerMessageBox(IDOK, 10s);
    const auto fourth = session_->answerMessageBox(IDOK, 10s);
    ASSERT_TRUE(third.has_value() && fourth.has_value());
    EXPECT_EQ(*third, L"无效的十六进制字符: H");
    EXPECT_EQ(*fourth, L"位置在上一曲=");
    EXPECT_EQ(e2e::moduleStatusLines("frames"), std::vector<std::string>{"frames 0"}) << "nothing was sent";
}

TEST_F(BadInputTest, OpenAndSaveInAFolderAndFileWithChineseNames) {
    const std::wstring folder = session_->folder() + L"\\测试目录";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    const std::wstring source = folder + L"\\表格.dat";
    ASSERT_TRUE(writeFileBytes(source, tableFileWith({{5, "FA 05 ED "}, {70, codePage936FromWide(L"自定义 ")}})));

    session_->click(session_->childWithText(kOpenFile));
    ASSERT_TRUE(chooseFileInDialog(source));
    ASSERT_TRUE(driver::eventually([&] { return driver::windowText(session_->window()) == captionFor(source); }, 10s));

    const std::wstring copy = folder + L"\\副本表格.dat";
    session_->click(session_->childWithText(kSaveFileAs));
    ASSERT_TRUE(chooseFileInDialog(copy));
    ASSERT_TRUE(driver::eventually([&] { return !fileBytes(copy).empty(); }, 10s)) << "save-as wrote nothing";
    EXPECT_EQ(driver::windowText(session_->window()), captionFor(copy));
    EXPECT_EQ(dataRows(loadTable(copy)),
              (std::map<int, std::string>{{5, "FA05ED"}, {70, codePage936FromWide(L"自定义")}}));

    // Saving again goes to the Chinese name, not to data.dat.
    session_->click(session_->childWithText(e2e::kSaveFile));
    EXPECT_EQ(session_->answerMessageBox(IDOK, 10s), std::optional<std::wstring>(L"保存成功！"));
    EXPECT_EQ(fileBytes(copy), fileBytes(source));
    EXPECT_TRUE(fileBytes(dataFile()).empty());
    EXPECT_TRUE(answers());
}

TEST_F(BadInputTest, FiftyMegabyteTableIsLoadedOrRefusedWithoutHarm) {
    constexpr int kRows = 20000;
    const std::wstring big = session_->folder() + L"\\big.dat";
    {
        grid::GridModel table = grid::testing::makeWindowGrid();
        ASSERT_TRUE(table.setRowCount(kRows));
        for (int row = 1; row < kRows; ++row) {
            table.setText(row, 2, std::string(2600, static_cast<char>('A' + row % 26)), false);
        }
        auto files = grid::file::makeSystemFileSystem();
        grid::BytePictureCodec pictures;
        ASSERT_TRUE(grid::file::saveGridFile(table, codePage936FromWide(big), *files, pictures));
    }
    ASSERT_GE(fileBytes(big).size(), 50u << 20);

    // It normally takes two seconds. The waits below stay inside the case's limit
    // (280 s, with the start and the two dialogs' waits), so a step that
    // hangs is named by its own failure instead of the case being killed.
    session_->click(session_->childWithText(kOpenFile));
    ASSERT_TRUE(chooseFileInDialog(big));
    EXPECT_TRUE(driver::eventually([&] { return answers(); }, 80s)) << "the window stopped answering";
    EXPECT_EQ(driver::windowText(session_->window()), captionFor(big));

    const std::wstring check = session_->folder() + L"\\check.dat";
    session_->click(session_->childWithText(kSaveFileAs));
    ASSERT_TRUE(chooseFileInDialog(check));
    ASSERT_TRUE(driver::eventually([&] { return answers() && !fileBytes(check).empty(); }, 80s))
        << "the table was not saved as check.dat, or the window stopped answering";
    ASSERT_TRUE(driver::eventually([&] { return loadTable(check).rowCount() > 0; }, 15s)) << "check.dat does not load";
    const grid::GridModel shown = loadTable(check);
    if (shown.rowCount() == kRows) {
        ASSERT_NE(shown.cell(kRows - 1, 2), nullptr);
        EXPECT_EQ(shown.cell(kRows - 1, 2)->text, std::string(2600, static_cast<char>('A' + (kRows - 1) % 26)));
    } else {
        EXPECT_EQ(shown.rowCount(), 79) << "a refused file leaves the table as it was";
        EXPECT_TRUE(dataRows(shown).empty());
    }
    EXPECT_TRUE(answers());
}

}  // namespace
}  // namespace veltrano::reliability
