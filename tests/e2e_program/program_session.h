#pragma once

#include <windows.h>

#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/driver/program_driver.h"

namespace veltrano::e2e {

// veltrano.exe copied with its DLL folder into a fresh folder of its own and
// started there, so that its data.dat belongs to this test alone.
class ProgramSession {
public:
    static std::unique_ptr<ProgramSession> start();
    // Starts the program again in the folder a closed session used.
    static std::unique_ptr<ProgramSession> startIn(const std::wstring& folder);
    // Closes the window as the user does; true when the program then ended.
    bool close();
    // Closes the window as the user does and waits for the program to end;
    // its exit code, or nothing when it still runs after the wait.
    std::optional<DWORD> closeAndWaitForExit(std::chrono::milliseconds wait);

    HWND window() const noexcept { return window_; }
    const driver::RunningProgram& program() const noexcept { return program_; }
    // Where the memory the program was given since it started begins; a
    // line for the log.
    std::string memoryLine() const { return driver::describeLowestNewAddress(program_, "veltrano.exe"); }
    const std::wstring& folder() const noexcept { return folder_; }

    // A component's system window by the text it shows.
    HWND childWithText(const std::string& gbkText) const;
    HWND portList() const;
    // The log box: the window's multi-line edit box.
    HWND logBox() const;
    std::wstring logText() const { return driver::windowText(logBox()); }
    std::wstring buttonText(HWND button) const { return driver::windowText(button); }
    // The edit box where a code is typed for a trial.
    HWND testInput() const;

    // Clicks as the user does: the click is posted, so a message box it
    // opens does not block the test.
    void click(HWND button) const;
    // Waits for the next message box and presses a button; its text.
    std::optional<std::wstring> answerMessageBox(int buttonId, std::chrono::milliseconds wait) const;
    // Waits for the next dialog the program opens (a message box, a file
    // dialog) and leaves it open.
    std::optional<driver::MessageBoxView> waitForDialog(std::chrono::milliseconds wait) const;
    // Presses a dialog's button and waits until the dialog has gone.
    static void answerDialog(HWND dialog, int buttonId);
    // Drops the port list down (refilling it) and picks the port by name.
    bool choosePort(const std::wstring& name) const;
    // Waits until a module sequence started by a click has run: its button
    // goes grey while the sequence runs and comes back at the end.
    bool waitForSequenceEnd(HWND button, std::chrono::milliseconds wait) const;

    // Picks the port and opens it; true once the port button offers to
    // close it again.
    bool openPort(const std::wstring& name) const;
    // Clicks a module button, confirms, and waits for its sequence to end.
    bool runModuleSequence(const std::string& gbkCaption, std::chrono::milliseconds wait) const;

private:
    ProgramSession(std::wstring folder, driver::RunningProgram program, HWND window)
        : folder_(std::move(folder)), program_(std::move(program)), window_(window) {}

    std::wstring folder_;
    driver::RunningProgram program_;
    HWND window_;
};

// The simulator's files, through the drive Wine maps to the host's root.
std::wstring simulatorFolder();
std::wstring portName();
// The rows the simulated module holds, from its status file: row -> hex.
std::map<int, std::string> moduleRows();
std::map<int, std::string> moduleRowsIn(const std::wstring& simulatorFolder);
// Rows in the simulator's store format ("row hex" per line).
std::map<int, std::string> storeRowsOf(const std::wstring& path);
// The status file's lines that start with a word ("typed", "port-setting").
std::vector<std::string> moduleStatusLines(const std::string& word);
std::vector<std::string> moduleStatusLinesIn(const std::wstring& simulatorFolder, const std::string& word);
// The same rows as the module's store file the case started from.
std::map<int, std::string> preloadedRows();

}  // namespace veltrano::e2e
