#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "app/configurator/configurator.h"
#include "app/configurator/configurator_texts.h"
#include "app/configurator/serial_settings.h"
#include "app/hex/hex_codec.h"
#include "app/protocol/frames.h"
#include "app/protocol/log_lines.h"
#include "app/protocol/sequence_waits.h"

namespace veltrano::configurator {
namespace {

constexpr int kSelectedBaudRate = 4;
// Characters in front of a port number in a port item's text ("COM").
constexpr std::size_t kPortPrefixLength = 3;

// The module buttons, in the order they are switched.
constexpr Control kModuleButtons[] = {Control::SetRatesButton,   Control::TestButton,
                                      Control::LearnButton,      Control::ClearModuleButton,
                                      Control::ReadModuleButton, Control::WriteModuleButton};

}  // namespace

void Configurator::setModuleButtonsDisabled(bool disabled) {
    for (const Control button : kModuleButtons) {
        ui_.setDisabled(button, disabled);
    }
}

void Configurator::refillPortList() {
    ui_.clearItems(Control::PortList);
    const std::optional<std::vector<std::string>> names = registry_.serialPortNames();
    if (!names) {
        return;
    }
    ui_.clearItems(Control::PortList);
    for (const int number : portNumbersOf(*names)) {
        ui_.addItem(Control::PortList, portText(number), number);
    }
}

void Configurator::fillBaudList() {
    for (const std::string_view rate : text::kBaudRates) {
        ui_.addItem(Control::BaudList, rate, 0);
    }
    ui_.select(Control::BaudList, kSelectedBaudRate);
}

void Configurator::fillBindingList() {
    for (const std::string_view target : text::kBindingTargets) {
        ui_.addItem(Control::BindingList, target, 0);
    }
    ui_.select(Control::BindingList, 0);
}

void Configurator::onOpenClosePortClicked() {
    if (state_.portOpen) {
        closePort();
    } else {
        openPort();
    }
}

void Configurator::closePort() {
    line_.close(state_.portNumber);
    state_.portOpen = false;
    ui_.setText(Control::PortButton, text::kOpenCaption);
    ui_.appendLog(protocol::kPortClosedLine);
    disableModuleButtons();
    state_.portNumber = -1;
}

void Configurator::openPort() {
    if (ui_.itemCount(Control::PortList) == 0) {
        ui_.showMessage(text::kNoPorts, std::nullopt);
        return;
    }
    const std::string port = ui_.itemText(Control::PortList, ui_.selectedIndex(Control::PortList));
    const int rate = integerOf(ui_.itemText(Control::BaudList, ui_.selectedIndex(Control::BaudList)));
    state_.portNumber = integerOf(std::string_view(port).substr(std::min(port.size(), kPortPrefixLength)));

    const int result = line_.open(state_.portNumber);
    if (result != 0) {
        std::string message(text::kOpenFailed);
        message += std::to_string(result);
        ui_.showMessage(message, std::nullopt);
        return;
    }
    line_.setLine(state_.portNumber, baudCode(rate), kLineMode8N1);
    line_.setReadTimeouts(state_.portNumber, kReadTimeoutTotalMs, 0);

    state_.portOpen = true;
    ui_.setText(Control::PortButton, text::kCloseCaption);
    std::string line(protocol::kPortOpenedPrefix);
    line += port;
    line += ' ';
    line += std::to_string(rate);
    line += protocol::kLineEnd;
    ui_.appendLog(line);
    enableModuleButtons();
    ui_.setTimerInterval(protocol::kReceivePollMs);
}

void Configurator::onClearLogClicked() {
    ui_.setText(Control::Display, {});
}

void Configurator::onSendTestClicked() {
    if (!state_.portOpen) {
        ui_.showMessage(text::kOpenPortFirst, std::nullopt);
        return;
    }
    const std::string input = protocol::removeAllSpaces(ui_.text(Control::LearnInput));
    if (input.empty()) {
        ui_.showMessage(text::kEnterData, std::nullopt);
        return;
    }
    const std::vector<std::uint8_t> bytes = hex::HexToBytes(input, sink_);
    if (bytes.empty()) {
        return;
    }
    if (line_.write(state_.portNumber, bytes) == static_cast<int>(bytes.size())) {
        ui_.appendLog(protocol::kTestSentLine);
    }
}

}  // namespace veltrano::configurator
