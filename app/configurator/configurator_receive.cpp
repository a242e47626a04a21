#include <algorithm>
#include <vector>

#include "app/configurator/configurator.h"
#include "app/protocol/key_table.h"
#include "app/protocol/receive_classifier.h"

namespace veltrano::configurator {
namespace {

constexpr int kDataColumn = 2;
// The port's own queue is far smaller; a larger count is not believed.
constexpr int kLargestRead = 65536;

}  // namespace

void Configurator::onReceiveTimerTick() {
    if (!state_.portOpen) {
        return;
    }
    const int waiting = line_.waitingBytes(state_.portNumber);
    bool handled = false;
    if (waiting > 0 && state_.dataWaiting) {
        state_.dataWaiting = false;
        handled = true;
        std::vector<std::uint8_t> buffer(static_cast<std::size_t>(std::min(waiting, kLargestRead)));
        const int read = line_.read(state_.portNumber, buffer);
        if (read > 0) {
            // A library that claims more than the buffer held is not trusted.
            const auto count = std::min(static_cast<std::size_t>(read), buffer.size());
            handleReceived(std::span<const std::uint8_t>(buffer).first(count), waiting);
        }
    }
    if (waiting > 0 && !handled) {
        state_.dataWaiting = true;
    }
}

void Configurator::handleReceived(std::span<const std::uint8_t> data, int waiting) {
    const std::size_t first = protocol::firstFrameLength(data, state_.extracting);
    if (first == data.size()) {
        handleFrame(data, waiting);
        return;
    }
    // Each frame of a read that held several is judged as if it had been
    // read alone, with the state the frames before it left.
    while (!data.empty()) {
        const std::size_t length = protocol::firstFrameLength(data, state_.extracting);
        handleFrame(data.first(length), static_cast<int>(length));
        data = data.subspan(length);
    }
}

void Configurator::handleFrame(std::span<const std::uint8_t> data, int waiting) {
    const protocol::ReceiveOutcome outcome = protocol::classifyReceived(data, state_.extracting, waiting);
    switch (outcome.kind) {
        case protocol::ReceiveKind::EnterConfig:
        case protocol::ReceiveKind::ExitConfig: ui_.appendLog(outcome.logLine); break;
        case protocol::ReceiveKind::ReadBackStarted:
            ui_.appendLog(outcome.logLine);
            disableModuleButtons();
            grid_.clearCells(protocol::kFirstKeyRow, kDataColumn, protocol::kLastKeyRow, kDataColumn);
            state_.extracting = true;
            ui_.setProgress(1);
            break;
        case protocol::ReceiveKind::ReadBackComplete:
            ui_.appendLog(outcome.logLine);
            state_.extracting = false;
            ui_.setProgress(0);
            enableModuleButtons();
            break;
        case protocol::ReceiveKind::Other:
            if (outcome.record) {
                grid_.setCellText(outcome.record->row, kDataColumn, outcome.record->cellText);
                ui_.setProgress(outcome.record->row);
            }
            ui_.appendLog(outcome.logLine);
            ui_.moveLogCaretToEnd();
            break;
    }
}

}  // namespace veltrano::configurator
