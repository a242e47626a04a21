#pragma once

#include <span>
#include <string>
#include <string_view>

#include "app/configurator/application_state.h"
#include "app/configurator/serial_line.h"
#include "app/configurator/table_grid.h"
#include "app/configurator/user_interface.h"
#include "app/hex/message_sink.h"

namespace veltrano::configurator {

// The configurator's behaviour behind the main window's events. Everything
// it touches comes through the four interfaces, so the same code runs in
// the program and against models in tests.
class Configurator {
public:
    Configurator(ApplicationState& state, UserInterface& ui, TableGrid& grid, SerialLine& line, PortRegistry& registry);

    // Start-up and the data file.
    void onWindowCreated();
    void onOpenFileClicked();
    void onSaveFileClicked();
    void onSaveFileAsClicked();

    // The serial connection.
    void onPortListDroppedDown() { refillPortList(); }
    void onOpenClosePortClicked();
    void onClearLogClicked();
    void onSendTestClicked();

    // The module sequences.
    void onSetBaudRatesClicked();
    void onWriteModuleClicked();
    void onClearModuleClicked();
    void onReadModuleClicked();
    void onLearnClicked();

    // One tick of the receive timer.
    void onReceiveTimerTick();

    // The window's close: false, and the close put off, while a module
    // sequence runs, so the module is never left in configuration mode with
    // a block open; the window closes once the last running sequence ends.
    bool onWindowQueryClose();

    void enableModuleButtons() { setModuleButtonsDisabled(false); }
    void disableModuleButtons() { setModuleButtonsDisabled(true); }

    // Releases what the application holds at exit.
    void release();

private:
    // Codec messages go to a message box with only an OK button.
    class MessageBoxSink final : public hex::MessageSink {
    public:
        explicit MessageBoxSink(UserInterface& ui) : ui_(ui) {}
        void showMessage(const std::string& text, const std::string& caption) override;

    private:
        UserInterface& ui_;
    };

    void refillPortList();
    void fillBaudList();
    void fillBindingList();
    void buildTable();
    void setCurrentFile(std::string_view path);
    void setModuleButtonsDisabled(bool disabled);
    void openPort();
    void closePort();
    // Converts a frame's hexadecimal text and writes it whole; the byte
    // count written, 0 when the codec refused the text (it has said why).
    int sendFrame(std::string_view frameText);
    void sendAndWait(std::string_view frameText, int milliseconds);
    // Runs a module sequence; a close asked for meanwhile follows its end.
    void runSequence(void (Configurator::*sequence)());
    void setBaudRates();
    void writeModule();
    void clearModule();
    void readModule();
    void handleReceived(std::span<const std::uint8_t> data, int waiting);
    void handleFrame(std::span<const std::uint8_t> data, int waiting);

    ApplicationState& state_;
    UserInterface& ui_;
    TableGrid& grid_;
    SerialLine& line_;
    PortRegistry& registry_;
    MessageBoxSink sink_;
    // Sequences run inside one another's waits, so this counts them.
    int runningSequences_ = 0;
    bool closeDeferred_ = false;
};

}  // namespace veltrano::configurator
