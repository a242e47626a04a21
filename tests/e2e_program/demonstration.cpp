// Drives the real program through a short demonstration against the module
// simulator, for scripts/run.sh on a machine without a display; its
// screenshots illustrate the user's guide:
//   veltrano-demo PROGRAM_FOLDER PORT SIMULATOR_FOLDER
// PROGRAM_FOLDER holds veltrano.exe and its DLL folder; the simulated module
// starts out holding a full table. Between steps it prints "shot NAME" and
// waits until the screenshot PROGRAM_FOLDER\NAME.png exists, which the
// calling script takes of the whole screen.
#include <windows.h>
#include <shellapi.h>

#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

#include "grid/file/grid_file.h"
#include "grid/model/byte_picture_codec.h"
#include "runtime/kernel/wide_text.h"
#include "tests/e2e_program/main_window_texts.h"
#include "tests/e2e_program/program_session.h"

namespace veltrano::e2e {
namespace {

using namespace std::chrono_literals;

constexpr auto kSequenceWait = 120s;

void say(const char* line) {
    std::printf("%s\n", line);
    std::fflush(stdout);
}

bool fail(const char* why) {
    std::printf("demonstration failed: %s\n", why);
    std::fflush(stdout);
    return false;
}

// A code as the module stores it: digits only, upper case.
std::string compactCode(const std::string& text) {
    std::string code;
    for (const char c : text) {
        if (c != ' ') code += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return code;
}

bool fileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class Demonstration {
public:
    Demonstration(std::wstring programFolder, std::wstring port, std::wstring simulatorFolder)
        : programFolder_(std::move(programFolder)),
          port_(std::move(port)),
          simulatorFolder_(std::move(simulatorFolder)) {}

    bool run() {
        const auto moduleTable = storeRowsOf(simulatorFolder_ + L"\\demo_store.txt");
        if (moduleTable.empty()) return fail("the simulated module holds no table to start from");
        session_ = ProgramSession::startIn(programFolder_);
        if (!session_) return fail("the program's window did not come up");
        if (!screenshot("01-started")) return false;

        if (!session_->openPort(port_)) return fail("the simulator's port did not open");
        say("opened the port; reading the table from the module");
        if (!session_->runModuleSequence(kReadModule, kSequenceWait)) return fail("the read-back did not end");
        if (!screenshot("02-table-read-from-module")) return false;
        if (!tableMatchesModule()) return false;

        say("clearing the module, then writing the filled table into it");
        if (!session_->runModuleSequence(kClearModule, kSequenceWait)) return fail("clearing did not end");
        if (!moduleRowsIn(simulatorFolder_).empty()) return fail("the module still holds rows after clearing");
        if (!session_->runModuleSequence(kWriteModule, kSequenceWait)) return fail("the write did not end");
        if (moduleRowsIn(simulatorFolder_) != moduleTable) return fail("the module does not hold the written table");
        say("the module holds every row written");
        if (!screenshot("03-table-written")) return false;

        say("reading the table back");
        if (!session_->runModuleSequence(kReadModule, kSequenceWait)) return fail("the read-back did not end");
        if (!screenshot("04-table-read-back")) return false;
        if (!tableMatchesModule()) return false;

        say("learning a code");
        const std::size_t logBefore = session_->logText().size();
        session_->click(session_->childWithText(kLearn));
        // The learned code is logged as a hex line of its own, FA first.
        const auto learnedCodeLogged = [&] {
            const std::wstring log = session_->logText();
            if (log.size() <= logBefore) return false;
            const std::wstring added = log.substr(logBefore);
            return added.find(L"\nFA ") != std::wstring::npos || added.rfind(L"FA ", 0) == 0;
        };
        if (!driver::eventually(learnedCodeLogged, 10s)) return fail("no learned code arrived");
        if (!screenshot("05-code-learned")) return false;

        say("sending a typed code for a trial");
        SendMessageW(session_->testInput(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"FA 11 22 33 ED"));
        session_->click(session_->childWithText(kSendTest));
        const auto typedCodeArrived = [&] { return !moduleStatusLinesIn(simulatorFolder_, "typed").empty(); };
        if (!driver::eventually(typedCodeArrived, 10s)) return fail("the typed code did not reach the module");
        if (!screenshot("06-code-sent")) return false;

        say("setting the module's port rates");
        session_->click(session_->childWithText(kSetRates));
        if (!showDialog("07-port-rates-confirmation", IDOK)) return false;
        const auto ratesArrived = [&] { return !moduleStatusLinesIn(simulatorFolder_, "port-setting").empty(); };
        if (!driver::eventually(ratesArrived, 10s)) return fail("the port rates did not reach the module");

        session_->click(session_->childWithText(kSaveFile));
        const auto saved = session_->waitForDialog(10s);
        if (!saved || saved->text != wideFromCodePage936(kSaved)) return fail("saving the table did not succeed");
        if (!screenshot("08-table-saved")) return false;
        ProgramSession::answerDialog(saved->window, IDOK);
        say("saved the table as data.dat");

        say("showing the dialogs that save and open other table files");
        session_->click(session_->childWithText(kSaveFileAs));
        if (!showDialog("09-save-as-dialog", IDCANCEL)) return false;
        session_->click(session_->childWithText(kOpenFile));
        if (!showDialog("10-open-dialog", IDCANCEL)) return false;

        if (!session_->close()) return fail("the program did not end when its window closed");
        return true;
    }

private:
    // Saves the table as the user does and compares the codes of the saved
    // data.dat, row by row, with what the module holds: a read-back that
    // ends but fills a cell wrongly, or leaves one out, is no success.
    bool tableMatchesModule() {
        session_->click(session_->childWithText(kSaveFile));
        const auto saved = session_->waitForDialog(10s);
        if (!saved || saved->text != wideFromCodePage936(kSaved))
            return fail("saving the table read back did not succeed");
        ProgramSession::answerDialog(saved->window, IDOK);

        grid::GridModel table;
        auto files = grid::file::makeSystemFileSystem();
        grid::BytePictureCodec pictures;
        if (!grid::file::loadGridFile(table, codePage936FromWide(programFolder_ + L"\\data.dat"), *files, pictures)) {
            return fail("the saved table does not load");
        }
        const auto moduleTable = moduleRowsIn(simulatorFolder_);
        int differing = 0;
        for (int row = 1; row <= 78; ++row) {
            const grid::Cell* cell = table.cell(row, 2);
            const std::string shown = compactCode(cell != nullptr ? cell->text : std::string());
            const auto held = moduleTable.find(row);
            const std::string expected = held != moduleTable.end() ? held->second : std::string();
            if (shown != expected) {
                std::printf("row %d: the table shows \"%s\", the module holds \"%s\"\n", row, shown.c_str(),
                            expected.c_str());
                ++differing;
            }
        }
        if (differing > 0) return fail("the table read back differs from what the module holds");
        say("the table read back is what the module holds");
        return true;
    }

    // Waits for the dialog a click opened, has it photographed, and answers it.
    bool showDialog(const char* name, int buttonId) {
        const auto dialog = session_->waitForDialog(10s);
        if (!dialog) return fail("the expected dialog did not open");
        if (!screenshot(name)) return false;
        ProgramSession::answerDialog(dialog->window, buttonId);
        return true;
    }

    bool screenshot(const char* name) {
        std::printf("shot %s\n", name);
        std::fflush(stdout);
        const std::wstring path = programFolder_ + L"\\" + wideFromCodePage936(name) + L".png";
        if (!driver::eventually([&] { return fileExists(path); }, 30s)) return fail("no screenshot was taken");
        return true;
    }

    std::wstring programFolder_;
    std::wstring port_;
    std::wstring simulatorFolder_;
    std::unique_ptr<ProgramSession> session_;
};

}  // namespace
}  // namespace veltrano::e2e

int main() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr || count != 4) {
        std::printf("usage: veltrano-demo PROGRAM_FOLDER PORT SIMULATOR_FOLDER\n");
        return 2;
    }
    const std::vector<std::wstring> values(arguments + 1, arguments + count);
    LocalFree(arguments);
    veltrano::e2e::Demonstration demonstration(values[0], values[1], values[2]);
    return demonstration.run() ? 0 : 1;
}
