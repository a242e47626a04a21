#include "tests/reliability/reliability_fixture.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

#include "app/protocol/log_lines.h"
#include "grid/file/grid_file.h"
#include "grid/file/grid_file_writer.h"
#include "grid/model/byte_picture_codec.h"
#include "runtime/kernel/wide_text.h"
#include "tests/e2e_program/main_window_texts.h"
#include "tests/grid_model/application_table.h"

namespace veltrano::reliability {
namespace {

const std::string* const kModuleButtonCaptions[] = {&e2e::kSetRates,    &e2e::kSendTest,   &e2e::kLearn,
                                                    &e2e::kClearModule, &e2e::kReadModule, &e2e::kWriteModule};

// The status frames the program logs by name instead of as hexadecimal.
struct NamedFrame {
    std::string_view line;
    const char* hex;
};
const NamedFrame kNamedFrames[] = {
    {protocol::kEnterConfigLine, "AD66666666AAAAAABD"},
    {protocol::kExitConfigLine, "AD66666666AAAABBBD"},
    {protocol::kReadBackStartedLine, "AD66666666AAABDDBD"},
    {protocol::kReadBackCompleteLine, "AD66666666AAABDEBD"},
};

int hexValue(char digit) {
    if (digit >= '0' && digit <= '9') return digit - '0';
    if (digit >= 'A' && digit <= 'F') return digit - 'A' + 10;
    if (digit >= 'a' && digit <= 'f') return digit - 'a' + 10;
    return -1;
}

// The bytes of hexadecimal text; nothing when it is anything else.
std::optional<Bytes> hexBytesOf(std::string_view text) {
    Bytes bytes;
    int high = -1;
    for (const char c : text) {
        if (c == ' ') continue;
        const int value = hexValue(c);
        if (value < 0) return std::nullopt;
        if (high < 0) {
            high = value;
        } else {
            bytes.push_back(static_cast<std::uint8_t>(high * 16 + value));
            high = -1;
        }
    }
    if (high >= 0 || bytes.empty()) return std::nullopt;
    return bytes;
}

struct DialogSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK matchDialog(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<DialogSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window) && driver::windowClass(window) == L"#32770") {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, end - start + 2));
        start = end + 2;
    }
    return lines;
}

}  // namespace

void ReliabilityTest::SetUp() {
    ASSERT_FALSE(e2e::simulatorFolder().empty()) << "run through run_reliability_case.sh";
    session_ = e2e::ProgramSession::start();
    ASSERT_NE(session_, nullptr) << "the program's window did not come up";
}

bool ReliabilityTest::answers() const {
    DWORD_PTR result = 0;
    return IsWindow(session_->window()) &&
           SendMessageTimeoutW(session_->window(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0;
}

void ReliabilityTest::openPort() {
    ASSERT_TRUE(session_->openPort(e2e::portName())) << "the simulator's port did not open";
}

void ReliabilityTest::closePort() {
    HWND button = session_->childWithText(e2e::kClosePort);
    ASSERT_NE(button, nullptr) << "the port is not open";
    session_->click(button);
    ASSERT_TRUE(
        driver::eventually([&] { return session_->buttonText(button) == wideFromCodePage936(e2e::kOpenPort); }, 10s));
}

void ReliabilityTest::startModuleSequence(const std::string& caption) {
    HWND button = session_->childWithText(caption);
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(driver::eventually([&] { return IsWindowEnabled(button) != FALSE; }, 5s));
    session_->click(button);
    ASSERT_TRUE(session_->answerMessageBox(IDOK, 10s).has_value()) << "no confirmation was asked";
}

void ReliabilityTest::runModuleSequence(const std::string& caption) {
    ASSERT_TRUE(session_->runModuleSequence(caption, 90s)) << "the sequence did not run to its end";
}

bool ReliabilityTest::moduleButtonsEnabled() const {
    return std::all_of(std::begin(kModuleButtonCaptions), std::end(kModuleButtonCaptions),
                       [&](const std::string* caption) { return IsWindowEnabled(session_->childWithText(*caption)); });
}

bool ReliabilityTest::moduleButtonsDisabled() const {
    return std::none_of(std::begin(kModuleButtonCaptions), std::end(kModuleButtonCaptions),
                        [&](const std::string* caption) { return IsWindowEnabled(session_->childWithText(*caption)); });
}

bool ReliabilityTest::portButtonEnabled() const {
    HWND button = session_->childWithText(e2e::kClosePort);
    if (button == nullptr) button = session_->childWithText(e2e::kOpenPort);
    return button != nullptr && IsWindowEnabled(button);
}

void ReliabilityTest::restartWithDataFile(const Bytes& bytes) {
    const std::wstring folder = session_->folder();
    ASSERT_TRUE(session_->close());
    session_.reset();
    ASSERT_TRUE(writeFileBytes(folder + L"\\data.dat", bytes));
    session_ = e2e::ProgramSession::startIn(folder);
    ASSERT_NE(session_, nullptr) << "the program did not come up again";
}

grid::GridModel ReliabilityTest::savedTable() {
    session_->click(session_->childWithText(e2e::kSaveFile));
    const auto answer = session_->answerMessageBox(IDOK, 10s);
    EXPECT_EQ(answer, std::optional<std::wstring>(wideFromCodePage936(e2e::kSaved)));
    return loadTable(dataFile());
}

bool ReliabilityTest::chooseFileInDialog(const std::wstring& path) const {
    DWORD processId = 0;
    GetWindowThreadProcessId(session_->window(), &processId);
    DialogSearch search{processId, nullptr};
    const auto findDialog = [&] {
        search.found = nullptr;
        EnumWindows(&matchDialog, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    };
    if (!driver::eventually(findDialog, 15s)) return false;
    HWND dialog = search.found;
    // The system's file dialogs keep the typed name in one of these.
    constexpr int kFileNameEdit = 0x480;
    constexpr int kFileNameCombo = 0x47C;
    HWND nameBox = GetDlgItem(dialog, kFileNameEdit);
    if (nameBox == nullptr) {
        HWND combo = GetDlgItem(dialog, kFileNameCombo);
        nameBox = combo != nullptr ? FindWindowExW(combo, nullptr, L"Edit", nullptr) : nullptr;
        if (nameBox == nullptr) nameBox = combo;
    }
    if (nameBox == nullptr) return false;
    SendMessageW(nameBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    driver::pressDialogButton(dialog, IDOK);
    return driver::eventually([&] { return !IsWindow(dialog); }, 10s);
}

std::map<int, std::string> ReliabilityTest::dataRows(const grid::GridModel& table) {
    std::map<int, std::string> rows;
    for (int row = 1; row <= 78; ++row) {
        const grid::Cell* cell = table.cell(row, 2);
        if (cell == nullptr) continue;
        std::string text = cell->text;
        text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
        if (!text.empty()) rows[row] = text;
    }
    return rows;
}

int ReliabilityTest::simulatorRestarts() const {
    std::ifstream in((e2e::simulatorFolder() + L"\\restarts").c_str());
    int count = -1;
    in >> count;
    return count;
}

bool ReliabilityTest::waitForSimulatorRestarts(int count, std::chrono::milliseconds wait) const {
    return driver::eventually([&] { return simulatorRestarts() >= count; }, wait);
}

void ReliabilityTest::restartSimulator() {
    const int before = simulatorRestarts();
    std::ofstream((e2e::simulatorFolder() + L"\\restart-request").c_str()) << "restart\n";
    ASSERT_TRUE(waitForSimulatorRestarts(before + 1, 15s)) << "the simulator did not come back";
}

Bytes ReliabilityTest::sentBytes() {
    std::ifstream in((e2e::simulatorFolder() + L"\\frames.log").c_str());
    Bytes bytes;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string seconds, direction, kind, word;
        words >> seconds >> direction >> kind;
        if (direction != "tx") continue;
        Bytes frame;
        bool lost = false;
        while (words >> word) {
            if (word == "lost") lost = true;
            if (const auto value = hexBytesOf(word); value && word.size() == 2) frame.push_back(value->front());
        }
        if (!lost) bytes.insert(bytes.end(), frame.begin(), frame.end());
    }
    return bytes;
}

std::size_t ReliabilityTest::sentFrames(const std::string& kind) {
    std::ifstream in((e2e::simulatorFolder() + L"\\frames.log").c_str());
    std::size_t count = 0;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string seconds, direction, lineKind;
        words >> seconds >> direction >> lineKind;
        if (direction == "tx" && lineKind == kind && line.find(" lost ") == std::string::npos) ++count;
    }
    return count;
}

Bytes ReliabilityTest::loggedBytes() const {
    Bytes bytes;
    for (const std::string& line : linesOf(codePage936FromWide(session_->logText()))) {
        bool named = false;
        for (const NamedFrame& frame : kNamedFrames) {
            if (line == frame.line) {
                const auto frameBytes = hexBytesOf(frame.hex);
                bytes.insert(bytes.end(), frameBytes->begin(), frameBytes->end());
                named = true;
            }
        }
        if (named) continue;
        if (const auto lineBytes = hexBytesOf(std::string_view(line).substr(0, line.size() - 2))) {
            bytes.insert(bytes.end(), lineBytes->begin(), lineBytes->end());
        }
    }
    return bytes;
}

bool ReliabilityTest::logHas(std::string_view gbkLine) const {
    return codePage936FromWide(session_->logText()).find(gbkLine) != std::string::npos;
}

bool ReliabilityTest::logSaysReadBackOpen() const {
    bool open = false;
    for (const std::string& line : linesOf(codePage936FromWide(session_->logText()))) {
        if (line == protocol::kReadBackStartedLine) open = true;
        if (line == protocol::kReadBackCompleteLine) open = false;
        if (line.starts_with(protocol::kPortOpenedPrefix)) open = false;
    }
    return open;
}

void ReliabilityTest::writeAndReadBackAgree() {
    const auto table = dataRows(savedTable());
    ASSERT_NO_FATAL_FAILURE(runModuleSequence(e2e::kWriteModule));
    // Only rows with data are sent; the module keeps what it has for the others.
    const auto written = e2e::moduleRows();
    for (const auto& [row, hex] : table) {
        const auto stored = written.find(row);
        EXPECT_TRUE(stored != written.end() && stored->second == hex) << "row " << row << " did not reach the module";
    }
    ASSERT_NO_FATAL_FAILURE(runModuleSequence(e2e::kReadModule));
    EXPECT_EQ(dataRows(savedTable()), e2e::moduleRows()) << "the read-back gave the module's rows";
    EXPECT_TRUE(moduleButtonsEnabled());
}

Bytes fileBytes(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool writeFileBytes(const std::wstring& path, const Bytes& bytes) {
    std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

grid::GridModel loadTable(const std::wstring& path) {
    grid::GridModel table;
    auto files = grid::file::makeSystemFileSystem();
    grid::BytePictureCodec pictures;
    if (!grid::file::loadGridFile(table, codePage936FromWide(path), *files, pictures)) return grid::GridModel();
    return table;
}

Bytes tableFileWith(const std::map<int, std::string>& rows) {
    grid::BytePictureCodec codec;
    grid::GridModel table = grid::testing::makeWindowGrid();
    grid::testing::buildApplicationTable(table, codec);
    for (const auto& [row, text] : rows) table.setText(row, 2, text, false);
    return grid::file::gridFileBytes(table, codec);
}

}  // namespace veltrano::reliability
