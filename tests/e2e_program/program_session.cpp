#include "tests/e2e_program/program_session.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

#include "runtime/kernel/wide_text.h"
#include "tests/e2e_program/main_window_texts.h"
#include "tests/support/program_folder.h"

namespace veltrano::e2e {
namespace {

using namespace std::chrono_literals;

std::wstring environmentText(const wchar_t* name) {
    wchar_t value[1024] = {};
    const DWORD length = GetEnvironmentVariableW(name, value, 1024);
    return length > 0 && length < 1024 ? std::wstring(value, length) : std::wstring();
}

std::wstring freshFolder() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"veltrano-e2e-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    CreateDirectoryW((folder + L"\\DLL").c_str(), nullptr);
    DeleteFileW((folder + L"\\data.dat").c_str());
    return folder;
}

std::map<int, std::string> rowsFrom(std::istream& in, bool statusFormat) {
    std::map<int, std::string> rows;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string first;
        words >> first;
        if (statusFormat && first != "row") continue;
        int row = 0;
        std::string hex;
        if (statusFormat) {
            words >> row >> hex;
        } else {
            row = std::stoi(first);
            words >> hex;
        }
        if (!hex.empty()) rows[row] = hex;
    }
    return rows;
}

std::map<int, std::string> rowsOfFile(const std::wstring& path, bool statusFormat) {
    std::ifstream in(path.c_str());
    return rowsFrom(in, statusFormat);
}

}  // namespace

std::wstring simulatorFolder() {
    return environmentText(L"VELTRANO_E2E_FOLDER");
}
std::wstring portName() {
    return environmentText(L"VELTRANO_E2E_PORT");
}
std::map<int, std::string> moduleRows() {
    return moduleRowsIn(simulatorFolder());
}
std::map<int, std::string> moduleRowsIn(const std::wstring& folder) {
    return rowsOfFile(folder + L"\\status", true);
}
std::map<int, std::string> storeRowsOf(const std::wstring& path) {
    return rowsOfFile(path, false);
}
std::vector<std::string> moduleStatusLines(const std::string& word) {
    return moduleStatusLinesIn(simulatorFolder(), word);
}
std::vector<std::string> moduleStatusLinesIn(const std::wstring& folder, const std::string& word) {
    std::ifstream in((folder + L"\\status").c_str());
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(word + " ", 0) == 0) lines.push_back(line);
    }
    return lines;
}

std::map<int, std::string> preloadedRows() {
    return storeRowsOf(simulatorFolder() + L"\\preloaded.txt");
}

std::unique_ptr<ProgramSession> ProgramSession::start() {
    const std::wstring from = test::folderOfThisProgram();
    const std::wstring folder = freshFolder();
    if (!CopyFileW((from + L"veltrano.exe").c_str(), (folder + L"\\veltrano.exe").c_str(), FALSE) ||
        !CopyFileW((from + L"DLL\\PCOMM.DLL").c_str(), (folder + L"\\DLL\\PCOMM.DLL").c_str(), FALSE)) {
        return nullptr;
    }
    return startIn(folder);
}

std::unique_ptr<ProgramSession> ProgramSession::startIn(const std::wstring& folder) {
    auto program = driver::RunningProgram::start(folder + L"\\veltrano.exe", folder);
    if (!program) return nullptr;
    HWND window = program->waitForWindow(L"KVWindow", driver::deadlineIn(30s));
    if (window == nullptr) return nullptr;
    auto session = std::unique_ptr<ProgramSession>(new ProgramSession(folder, std::move(*program), window));
    // Every driver of the real program logs this once the window is up.
    std::printf("%s\n", session->memoryLine().c_str());
    std::fflush(stdout);
    return session;
}

bool ProgramSession::close() {
    return closeAndWaitForExit(20s).has_value();
}

std::optional<DWORD> ProgramSession::closeAndWaitForExit(std::chrono::milliseconds wait) {
    PostMessageW(window_, WM_CLOSE, 0, 0);
    return program_.waitForExit(driver::deadlineIn(wait));
}

HWND ProgramSession::childWithText(const std::string& gbkText) const {
    const std::wstring text = wideFromCodePage936(gbkText);
    for (HWND child : driver::childWindows(window_)) {
        if (driver::windowText(child) == text) return child;
    }
    return nullptr;
}

HWND ProgramSession::portList() const {
    // The port list is the upper of the COM group's two combo boxes.
    HWND group = childWithText("COM");
    HWND upper = nullptr;
    LONG upperTop = 0;
    for (HWND child : driver::childWindows(group)) {
        if (driver::windowClass(child) != L"ComboBox") continue;
        RECT rect{};
        GetWindowRect(child, &rect);
        if (upper == nullptr || rect.top < upperTop) {
            upper = child;
            upperTop = rect.top;
        }
    }
    return upper;
}

HWND ProgramSession::logBox() const {
    for (HWND child : driver::childWindows(window_)) {
        if (driver::windowClass(child) == L"Edit" && (GetWindowLongW(child, GWL_STYLE) & ES_MULTILINE) != 0) {
            return child;
        }
    }
    return nullptr;
}

void ProgramSession::click(HWND button) const {
    PostMessageW(button, BM_CLICK, 0, 0);
}

std::optional<std::wstring> ProgramSession::answerMessageBox(int buttonId, std::chrono::milliseconds wait) const {
    auto box = waitForDialog(wait);
    if (!box) return std::nullopt;
    answerDialog(box->window, buttonId);
    return box->text;
}

std::optional<driver::MessageBoxView> ProgramSession::waitForDialog(std::chrono::milliseconds wait) const {
    return program_.waitForMessageBox(driver::deadlineIn(wait));
}

void ProgramSession::answerDialog(HWND dialog, int buttonId) {
    // A file dialog's buttons may sit in a child dialog; closing it is its cancel.
    if (!driver::pressDialogButton(dialog, buttonId)) PostMessageW(dialog, WM_CLOSE, 0, 0);
    // Let the dialog go away before the next one is looked for.
    for (int i = 0; i < 100 && IsWindow(dialog); ++i) std::this_thread::sleep_for(20ms);
}

bool ProgramSession::choosePort(const std::wstring& name) const {
    HWND list = portList();
    if (list == nullptr) return false;
    SendMessageW(list, CB_SHOWDROPDOWN, TRUE, 0);
    SendMessageW(list, CB_SHOWDROPDOWN, FALSE, 0);
    // The list is refilled from the registry by the drop-down's handler.
    LRESULT index = CB_ERR;
    for (int i = 0; i < 100 && index == CB_ERR; ++i) {
        index = SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name.c_str()));
        if (index == CB_ERR) std::this_thread::sleep_for(50ms);
    }
    if (index == CB_ERR) {
        const auto count = SendMessageW(list, CB_GETCOUNT, 0, 0);
        std::wstring offered;
        for (LRESULT i = 0; i < count; ++i) {
            wchar_t item[64] = {};
            SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
            offered += std::wstring(item) + L" ";
        }
        std::wprintf(L"the port list offers: [%ls]\n", offered.c_str());
        return false;
    }
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    return true;
}

bool ProgramSession::waitForSequenceEnd(HWND button, std::chrono::milliseconds wait) const {
    const auto deadline = driver::deadlineIn(wait);
    const auto greyDeadline = driver::deadlineIn(5s);
    while (IsWindowEnabled(button) && std::chrono::steady_clock::now() < greyDeadline) {
        std::this_thread::sleep_for(10ms);
    }
    while (!IsWindowEnabled(button)) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(50ms);
    }
    return true;
}

HWND ProgramSession::testInput() const {
    for (HWND child : driver::childWindows(window_)) {
        if (driver::windowClass(child) == L"Edit" &&
            driver::windowText(child).rfind(wideFromCodePage936(kTestInputStart), 0) == 0) {
            return child;
        }
    }
    return nullptr;
}

bool ProgramSession::openPort(const std::wstring& name) const {
    if (!choosePort(name)) return false;
    HWND button = childWithText(kOpenPort);
    if (button == nullptr) return false;
    click(button);
    return driver::eventually([&] { return buttonText(button) == wideFromCodePage936(kClosePort); }, 5s);
}

bool ProgramSession::runModuleSequence(const std::string& gbkCaption, std::chrono::milliseconds wait) const {
    HWND button = childWithText(gbkCaption);
    if (button == nullptr) return false;
    // The module buttons come on once the port is open.
    if (!driver::eventually([&] { return IsWindowEnabled(button) != FALSE; }, 5s)) return false;
    click(button);
    if (!answerMessageBox(IDOK, 10s).has_value()) return false;
    return waitForSequenceEnd(button, wait);
}

}  // namespace veltrano::e2e
