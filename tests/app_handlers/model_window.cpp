#include "tests/app_handlers/model_window.h"

#include <algorithm>
#include <cstdio>

namespace veltrano::test {

std::string spaced(std::span<const std::uint8_t> bytes) {
    std::string text;
    for (const std::uint8_t byte : bytes) {
        char pair[4];
        std::snprintf(pair, sizeof pair, "%02X", static_cast<unsigned>(byte));
        if (!text.empty()) {
            text += ' ';
        }
        text += pair;
    }
    return text;
}

void ModelWindow::setDisabled(Control control, bool value) {
    disabled[control] = value;
    trace_.push_back((value ? "disable:" : "enable:") + std::to_string(static_cast<int>(control)));
}

bool ModelWindow::isDisabled(Control control) const {
    const auto found = disabled.find(control);
    return found != disabled.end() && found->second;
}

void ModelWindow::appendLog(std::string_view value) {
    log += value;
    trace_.push_back("log:" + std::string(value));
}

void ModelWindow::setProgress(int position) {
    progress.push_back(position);
    trace_.push_back("progress:" + std::to_string(position));
}

void ModelWindow::addItem(Control list, std::string_view value, int itemData) {
    combos[list].items.emplace_back(std::string(value), itemData);
}

std::string ModelWindow::itemText(Control list, int index) {
    const auto& items = combos[list].items;
    if (index < 0 || index >= static_cast<int>(items.size())) {
        return {};
    }
    return items[static_cast<std::size_t>(index)].first;
}

void ModelWindow::showMessage(std::string_view value, std::optional<std::string_view> caption) {
    messages.push_back(
        {std::string(value), caption ? std::optional<std::string>(std::string(*caption)) : std::nullopt});
}

bool ModelWindow::confirm(std::string_view value, std::string_view caption) {
    confirmations.push_back({std::string(value), std::string(caption)});
    return confirmAnswer;
}

std::optional<std::string> ModelWindow::chooseFile(configurator::FileDialogKind kind, std::string_view extension) {
    dialogs.emplace_back(kind, std::string(extension));
    return chosenFile;
}

void ModelWindow::delay(int milliseconds) {
    delays.push_back(milliseconds);
    trace_.push_back("wait:" + std::to_string(milliseconds));
    if (duringDelay) {
        duringDelay(milliseconds);
    }
}

void ModelWindow::closeWindow() {
    ++closeRequests;
    trace_.push_back("close");
}

void ModelGrid::setCellText(int row, int column, std::string_view value) {
    if (row < 0 || row >= rowCount || column < 0 || column > 2) {
        return;
    }
    cells[{row, column}] = std::string(value);
}

std::string ModelGrid::cellText(int row, int column) {
    const auto found = cells.find({row, column});
    return found == cells.end() ? std::string() : found->second;
}

void ModelGrid::clearCells(int top, int left, int bottom, int right) {
    for (int row = top; row <= bottom; ++row) {
        for (int column = left; column <= right; ++column) {
            cells.erase({row, column});
        }
    }
}

bool ModelGrid::saveFile(std::string_view path) {
    const std::string name(path);
    if (name.empty() || std::find(lockedPaths.begin(), lockedPaths.end(), name) != lockedPaths.end()) {
        return false;
    }
    files[name] = cells;
    return true;
}

bool ModelGrid::loadFile(std::string_view path) {
    loads.emplace_back(path);
    const auto found = files.find(std::string(path));
    if (found == files.end()) {
        return false;
    }
    cells = found->second;
    return true;
}

int ModelLine::open(int port) {
    calls.push_back("open " + std::to_string(port));
    return openResult;
}

int ModelLine::setLine(int port, int baud, int mode) {
    calls.push_back("ioctl " + std::to_string(port) + " " + std::to_string(baud) + " " + std::to_string(mode));
    return 0;
}

int ModelLine::setReadTimeouts(int port, std::uint32_t totalMs, std::uint32_t intervalMs) {
    calls.push_back("timeouts " + std::to_string(port) + " " + std::to_string(totalMs) + " " +
                    std::to_string(intervalMs));
    return 0;
}

int ModelLine::waitingBytes(int) {
    ++queueQueries;
    return static_cast<int>(incoming.size());
}

int ModelLine::read(int, std::span<std::uint8_t> buffer) {
    const std::size_t count = std::min({buffer.size(), incoming.size(), readLimit.value_or(incoming.size())});
    std::copy_n(incoming.begin(), count, buffer.begin());
    incoming.erase(incoming.begin(), incoming.begin() + static_cast<std::ptrdiff_t>(count));
    return static_cast<int>(count);
}

int ModelLine::write(int port, std::span<const std::uint8_t> bytes) {
    written.emplace_back(bytes.begin(), bytes.end());
    calls.push_back("write " + std::to_string(port));
    trace_.push_back("send:" + spaced(bytes));
    if (echo) {
        incoming.insert(incoming.end(), bytes.begin(), bytes.end());
    }
    return shortWrite.value_or(static_cast<int>(bytes.size()));
}

int ModelLine::close(int port) {
    calls.push_back("close " + std::to_string(port));
    return 0;
}

}  // namespace veltrano::test
