#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "app/configurator/configurator.h"
#include "app/configurator/configurator_texts.h"
#include "app/configurator/serial_settings.h"
#include "app/hex/hex_codec.h"
#include "app/protocol/frames.h"
#include "app/protocol/key_table.h"
#include "app/protocol/log_lines.h"
#include "app/protocol/sequence_waits.h"
#include "app/protocol/write_sequence_plan.h"

namespace veltrano::configurator {
namespace {

constexpr int kDataColumn = 2;
constexpr int kKeyNameColumn = 1;

}  // namespace

int Configurator::sendFrame(std::string_view frameText) {
    const std::vector<std::uint8_t> bytes = hex::HexToBytes(frameText, sink_);
    if (bytes.empty()) {
        return 0;
    }
    return line_.write(state_.portNumber, bytes);
}

void Configurator::sendAndWait(std::string_view frameText, int milliseconds) {
    sendFrame(frameText);
    ui_.delay(milliseconds);
}

void Configurator::runSequence(void (Configurator::*sequence)()) {
    ++runningSequences_;
    (this->*sequence)();
    --runningSequences_;
    if (runningSequences_ == 0 && closeDeferred_) {
        closeDeferred_ = false;
        ui_.closeWindow();
    }
}

bool Configurator::onWindowQueryClose() {
    if (runningSequences_ == 0) {
        return true;
    }
    closeDeferred_ = true;
    return false;
}

void Configurator::onSetBaudRatesClicked() {
    runSequence(&Configurator::setBaudRates);
}

void Configurator::onWriteModuleClicked() {
    runSequence(&Configurator::writeModule);
}

void Configurator::onClearModuleClicked() {
    runSequence(&Configurator::clearModule);
}

void Configurator::onReadModuleClicked() {
    runSequence(&Configurator::readModule);
}

void Configurator::setBaudRates() {
    // Read before anything is sent: a rate the frame cannot carry is refused
    // while the module is still untouched.
    const Control boxes[] = {Control::SequencerRate, Control::ProjectorRate, Control::PlayerRate,
                             Control::AmplifierRate};
    std::int32_t values[std::size(boxes)] = {};
    for (std::size_t i = 0; i < std::size(boxes); ++i) {
        values[i] = integerOf(ui_.text(boxes[i]));
        if (values[i] < 0 || values[i] > protocol::kLargestPortRate) {
            std::string message(text::kRateBoxDevices[i]);
            message += text::kRateOutOfRange;
            ui_.showMessage(message, std::nullopt);
            return;
        }
    }
    if (!ui_.confirm(text::kConfirmPortSetting, text::kPortSettingCaption)) {
        return;
    }
    sendAndWait(protocol::kEnterConfigText, protocol::kWaitAfterCommandMs);

    const protocol::PortRates rates{values[0], values[1], values[2], values[3]};
    const int binding = ui_.selectedIndex(Control::BindingList) + 1;
    sendFrame(protocol::portSettingText(rates, binding));
    ui_.appendLog(protocol::kPortSettingSentLine);
    ui_.delay(protocol::kWaitAfterPortSettingMs);

    sendAndWait(protocol::kExitConfigText, protocol::kWaitAfterCommandMs);
}

void Configurator::writeModule() {
    std::vector<std::string> texts;
    texts.reserve(protocol::kKeyRowCount);
    for (int row = protocol::kFirstKeyRow; row <= protocol::kLastKeyRow; ++row) {
        texts.push_back(grid_.cellText(row, kDataColumn));
    }
    if (const std::optional<int> row = protocol::firstInvalidRow(texts, sink_)) {
        std::string message(protocol::kInvalidDataPrefix);
        message += grid_.cellText(*row, kKeyNameColumn);
        ui_.showMessage(message, std::nullopt);
        grid_.setCurrentCell(*row, kDataColumn);
        return;
    }
    if (!ui_.confirm(text::kConfirmWrite, text::kWriteCaption)) {
        return;
    }

    disableModuleButtons();
    ui_.setDisabled(Control::PortButton, true);
    for (const protocol::WriteStep& step : protocol::planWriteSequence(texts)) {
        switch (step.kind) {
            case protocol::WriteStep::Kind::Send: sendFrame(step.frameText); break;
            case protocol::WriteStep::Kind::Wait: ui_.delay(step.value); break;
            case protocol::WriteStep::Kind::Progress: ui_.setProgress(step.value); break;
        }
    }
    enableModuleButtons();
    ui_.setDisabled(Control::PortButton, false);
}

void Configurator::clearModule() {
    if (!ui_.confirm(text::kConfirmClear, text::kClearCaption)) {
        return;
    }
    sendAndWait(protocol::kEnterConfigText, protocol::kWaitAfterCommandMs);
    sendFrame(protocol::kClearText);
    ui_.appendLog(protocol::kClearSentLine);
    ui_.delay(protocol::kWaitAfterClearMs);
    sendAndWait(protocol::kExitConfigText, protocol::kWaitAfterCommandMs);
}

void Configurator::readModule() {
    if (!ui_.confirm(text::kConfirmRead, text::kReadCaption)) {
        return;
    }
    sendAndWait(protocol::kEnterConfigText, protocol::kWaitAfterCommandMs);
    if (sendFrame(protocol::kReadRequestText) == static_cast<int>(protocol::kCommandFrameSize)) {
        ui_.appendLog(protocol::kReadRequestSentLine);
    }
}

void Configurator::onLearnClicked() {
    const std::size_t learnFrameSize = protocol::kLearnText.size() / 2;
    if (sendFrame(protocol::kLearnText) == static_cast<int>(learnFrameSize)) {
        ui_.appendLog(protocol::kLearningStartedLine);
    }
}

}  // namespace veltrano::configurator
