#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "grid/model/grid_model.h"
#include "tests/e2e_program/program_session.h"

namespace veltrano::reliability {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

// Captions of the file buttons, in code page 936.
inline const std::string kOpenFile = "\xB4\xF2\xBF\xAA\xCE\xC4\xBC\xFE";    // 打开文件
inline const std::string kSaveFileAs = "\xC1\xED\xB4\xE6\xCE\xC4\xBC\xFE";  // 另存文件

// The real program against the module simulator started by
// run_reliability_case.sh, with what every reliability case checks.
class ReliabilityTest : public ::testing::Test {
protected:
    void SetUp() override;

    e2e::ProgramSession& session() { return *session_; }

    // The window still handles messages: neither crashed nor stuck.
    bool answers() const;
    void openPort();
    void closePort();
    // Clicks a module button and confirms.
    void startModuleSequence(const std::string& caption);
    void runModuleSequence(const std::string& caption);
    bool moduleButtonsEnabled() const;
    bool moduleButtonsDisabled() const;
    bool portButtonEnabled() const;

    // Closes the program and starts it again in its folder over a data.dat
    // with these bytes.
    void restartWithDataFile(const Bytes& bytes);
    std::wstring dataFile() const { return session_->folder() + L"\\data.dat"; }

    // Waits for the program's open or save dialog, types the name into it
    // and confirms, as the user does.
    bool chooseFileInDialog(const std::wstring& path) const;

    // Saves with 保存文件 and reads the table back from data.dat.
    grid::GridModel savedTable();
    // Column 2 of the key rows without spaces, empty rows left out: the
    // form the simulator's status file gives the module's rows in.
    static std::map<int, std::string> dataRows(const grid::GridModel& table);

    // Asks the case script for a module without faults on the same link
    // and waits until it is there.
    void restartSimulator();
    int simulatorRestarts() const;
    bool waitForSimulatorRestarts(int count, std::chrono::milliseconds wait) const;

    // Bytes the simulator put on the line, in order (what was lost on the
    // way out is left out).
    static Bytes sentBytes();
    // How many writes of a kind ("record", "noise", "echo") went out whole:
    // frames, or single bytes where the module splits them.
    static std::size_t sentFrames(const std::string& kind);
    // Bytes the program's log says arrived: its hexadecimal lines and the
    // status frames it recognised.
    Bytes loggedBytes() const;
    bool logHas(std::string_view gbkLine) const;
    // The module buttons' state the program's own log calls for: off while
    // a read-back has started and not completed.
    bool logSaysReadBackOpen() const;

    // Writes the table to the module and reads it back: afterwards the
    // module and the table must hold the same rows.
    void writeAndReadBackAgree();

    std::unique_ptr<e2e::ProgramSession> session_;
};

Bytes fileBytes(const std::wstring& path);
bool writeFileBytes(const std::wstring& path, const Bytes& bytes);
// The table in a table file; an empty table when it does not load.
grid::GridModel loadTable(const std::wstring& path);
// A table file of the configuration table with the given texts in column 2.
Bytes tableFileWith(const std::map<int, std::string>& rows);

}  // namespace veltrano::reliability
