#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/configurator/serial_line.h"
#include "app/configurator/table_grid.h"
#include "app/configurator/user_interface.h"

namespace veltrano::test {

using configurator::Control;

// One observable thing the application did, in order: "send:AD 66 ...",
// "wait:100", "progress:5", "log:...", "disable:..." and so on, so tests can
// check interleaving without caring about unrelated calls.
using Trace = std::vector<std::string>;

struct ComboModel {
    std::vector<std::pair<std::string, int>> items;
    int selected = -1;
};

struct ShownMessage {
    std::string text;
    std::optional<std::string> caption;
};

// The main window as a plain model: texts, enabled states, lists, log.
class ModelWindow final : public configurator::UserInterface {
public:
    explicit ModelWindow(Trace& trace) : trace_(trace) {}

    std::string text(Control control) override { return texts[control]; }
    void setText(Control control, std::string_view value) override { texts[control] = std::string(value); }
    void setDisabled(Control control, bool value) override;
    void appendLog(std::string_view value) override;
    void moveLogCaretToEnd() override { ++caretMoves; }
    void setProgress(int position) override;
    void setTimerInterval(int milliseconds) override { timerInterval = milliseconds; }
    void clearItems(Control list) override { combos[list] = ComboModel{}; }
    void addItem(Control list, std::string_view value, int itemData) override;
    int itemCount(Control list) override { return static_cast<int>(combos[list].items.size()); }
    std::string itemText(Control list, int index) override;
    int selectedIndex(Control list) override { return combos[list].selected; }
    void select(Control list, int index) override { combos[list].selected = index; }
    void showMessage(std::string_view value, std::optional<std::string_view> caption) override;
    bool confirm(std::string_view value, std::string_view caption) override;
    std::optional<std::string> chooseFile(configurator::FileDialogKind kind, std::string_view extension) override;
    void delay(int milliseconds) override;
    void setVisualStyle(int style) override { visualStyle = style; }
    void closeWindow() override;
    std::string programDirectory() override { return directory; }

    bool isDisabled(Control control) const;

    std::map<Control, std::string> texts;
    std::map<Control, bool> disabled;
    std::map<Control, ComboModel> combos;
    std::string log;
    int caretMoves = 0;
    std::vector<int> progress;
    int timerInterval = 0;
    std::vector<ShownMessage> messages;
    std::vector<ShownMessage> confirmations;
    bool confirmAnswer = true;
    std::optional<std::string> chosenFile;
    std::vector<std::pair<configurator::FileDialogKind, std::string>> dialogs;
    std::vector<int> delays;
    // Runs inside every delay, as window messages would.
    std::function<void(int)> duringDelay;
    int visualStyle = 0;
    int closeRequests = 0;
    std::string directory = "C:\\prog";

private:
    Trace& trace_;
};

class ModelGrid final : public configurator::TableGrid {
public:
    struct Range {
        int top, left, bottom, right;
        friend bool operator==(const Range&, const Range&) = default;
    };

    void setRowCount(int rows) override { rowCount = rows; }
    void setColumnWidth(int column, int width) override { widths[column] = width; }
    void centre(int top, int left, int bottom, int right) override { centred.push_back({top, left, bottom, right}); }
    void setCellText(int row, int column, std::string_view value) override;
    void merge(int top, int left, int bottom, int right) override { merges.push_back({top, left, bottom, right}); }
    std::string cellText(int row, int column) override;
    void setCurrentCell(int row, int column) override { currentCell = {row, column}; }
    void clearCells(int top, int left, int bottom, int right) override;
    bool saveFile(std::string_view path) override;
    bool loadFile(std::string_view path) override;

    int rowCount = 0;
    std::map<int, int> widths;
    std::vector<Range> centred;
    std::vector<Range> merges;
    std::map<std::pair<int, int>, std::string> cells;
    std::optional<std::pair<int, int>> currentCell;
    // Files the grid could write and read, by path; a path in
    // lockedPaths cannot be written.
    std::map<std::string, std::map<std::pair<int, int>, std::string>> files;
    std::vector<std::string> lockedPaths;
    std::vector<std::string> loads;
};

class ModelLine final : public configurator::SerialLine {
public:
    explicit ModelLine(Trace& trace) : trace_(trace) {}

    int open(int port) override;
    int setLine(int port, int baud, int mode) override;
    int setReadTimeouts(int port, std::uint32_t totalMs, std::uint32_t intervalMs) override;
    int waitingBytes(int port) override;
    int read(int port, std::span<std::uint8_t> buffer) override;
    int write(int port, std::span<const std::uint8_t> bytes) override;
    int close(int port) override;

    // Bytes arriving from the module, one read's worth each.
    void arrive(std::vector<std::uint8_t> bytes) { incoming.insert(incoming.end(), bytes.begin(), bytes.end()); }

    int openResult = 0;
    // Bytes each read hands over at most, as a port may give fewer than it
    // reported waiting; all that waits when unset.
    std::optional<std::size_t> readLimit;
    // Bytes each write reports written; the whole frame when unset.
    std::optional<int> shortWrite;
    // Whether the far end sends every frame straight back, as the module does.
    bool echo = false;
    std::vector<std::string> calls;
    std::vector<std::vector<std::uint8_t>> written;
    std::deque<std::uint8_t> incoming;
    int queueQueries = 0;

private:
    Trace& trace_;
};

class ModelRegistry final : public configurator::PortRegistry {
public:
    std::optional<std::vector<std::string>> serialPortNames() override { return names; }

    std::optional<std::vector<std::string>> names = std::vector<std::string>{};
};

// Upper-case digit pairs separated by single spaces, no trailing space.
std::string spaced(std::span<const std::uint8_t> bytes);

}  // namespace veltrano::test
