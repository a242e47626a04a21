#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/configurator/configurator.h"
#include "tests/app_handlers/model_window.h"
#include "tests/support/gbk_literal.h"

namespace veltrano::test {

// The configurator wired to models of everything it talks to.
class ConfiguratorTest : public ::testing::Test {
protected:
    ConfiguratorTest() : window(trace), line(trace), app(state, window, grid, line, registry) {
        window.texts[Control::Window] = "Veltrano";
    }

    // Start-up with one port COM3 in the registry, then opened at 115200.
    void startWithOpenPort() {
        registry.names = std::vector<std::string>{"COM3"};
        app.onWindowCreated();
        window.select(Control::PortList, 0);
        app.onOpenClosePortClicked();
        ASSERT_TRUE(state.portOpen);
        trace.clear();
        line.written.clear();
        window.log.clear();
    }

    // Two ticks: the first notes the waiting bytes, the second reads them.
    void receive(std::vector<std::uint8_t> bytes) {
        line.arrive(std::move(bytes));
        app.onReceiveTimerTick();
        app.onReceiveTimerTick();
    }

    std::vector<std::string> sentFrames() const {
        std::vector<std::string> frames;
        for (const auto& frame : line.written) {
            frames.push_back(spaced(frame));
        }
        return frames;
    }

    std::vector<std::string> traceOf(const std::string& prefix) const {
        std::vector<std::string> picked;
        for (const std::string& entry : trace) {
            if (entry.rfind(prefix, 0) == 0) {
                picked.push_back(entry.substr(prefix.size()));
            }
        }
        return picked;
    }

    bool moduleButtonsDisabled(bool expected) const {
        const Control buttons[] = {Control::SetRatesButton,    Control::TestButton,       Control::LearnButton,
                                   Control::ClearModuleButton, Control::ReadModuleButton, Control::WriteModuleButton};
        return std::all_of(std::begin(buttons), std::end(buttons),
                           [&](Control button) { return window.isDisabled(button) == expected; });
    }

    Trace trace;
    configurator::ApplicationState state;
    ModelWindow window;
    ModelGrid grid;
    ModelLine line;
    ModelRegistry registry;
    configurator::Configurator app;
};

}  // namespace veltrano::test
