#include "app/handlers/application_handlers.h"

#include <array>
#include <exception>

#include "app/configurator/configurator.h"
#include "app/handlers/dll_serial_line.h"
#include "app/handlers/runtime_grid.h"
#include "app/handlers/runtime_window.h"
#include "app/window/main_window_template.h"
#include "runtime/kernel/runtime_services.h"

namespace veltrano::app {
namespace {

// The application's one set of globals: its state and the way it reaches
// the window, the table and the serial line.
struct Application {
    configurator::ApplicationState state;
    RuntimeWindow window;
    RuntimeGrid grid;
    DllSerialLine line;
    DllPortRegistry registry;
    configurator::Configurator configurator{state, window, grid, line, registry};
};

Application& application() {
    static Application instance;
    return instance;
}

using Operation = void (configurator::Configurator::*)();

// Handlers run inside the window procedure: nothing may unwind out of them.
template <Operation operation>
void handler(const EventWord*, std::size_t, EventResult&) {
    try {
        (application().configurator.*operation)();
    } catch (const std::exception& error) {
        services::fatalError(error.what());
    } catch (...) {
        services::fatalError("unexpected failure in an event handler");
    }
}

using Question = bool (configurator::Configurator::*)();

// The runtime takes the handler's answer as the event's result, where false
// refuses what the event asks.
template <Question question>
void answeringHandler(const EventWord*, std::size_t, EventResult& result) {
    try {
        const bool allowed = (application().configurator.*question)();
        result.present = true;
        result.low = allowed ? 1 : 0;
        result.high = 0;
    } catch (const std::exception& error) {
        services::fatalError(error.what());
    } catch (...) {
        services::fatalError("unexpected failure in an event handler");
    }
}

using main_window::Handler;
using Configurator = configurator::Configurator;

constexpr std::size_t slot(Handler which) {
    return static_cast<std::size_t>(which);
}

constexpr std::array<EventHandlerEntry, main_window::kHandlerCount> makeTable() {
    std::array<EventHandlerEntry, main_window::kHandlerCount> table{};
    table[slot(Handler::onWindowCreated)] = {&handler<&Configurator::onWindowCreated>};
    table[slot(Handler::onWindowQueryClose)] = {&answeringHandler<&Configurator::onWindowQueryClose>};
    table[slot(Handler::onSendTestClicked)] = {&handler<&Configurator::onSendTestClicked>};
    table[slot(Handler::onLearnClicked)] = {&handler<&Configurator::onLearnClicked>};
    table[slot(Handler::onSetBaudRatesClicked)] = {&handler<&Configurator::onSetBaudRatesClicked>};
    table[slot(Handler::onOpenFileClicked)] = {&handler<&Configurator::onOpenFileClicked>};
    table[slot(Handler::onSaveFileClicked)] = {&handler<&Configurator::onSaveFileClicked>};
    table[slot(Handler::onSaveFileAsClicked)] = {&handler<&Configurator::onSaveFileAsClicked>};
    table[slot(Handler::onClearModuleClicked)] = {&handler<&Configurator::onClearModuleClicked>};
    table[slot(Handler::onReadModuleClicked)] = {&handler<&Configurator::onReadModuleClicked>};
    table[slot(Handler::onWriteModuleClicked)] = {&handler<&Configurator::onWriteModuleClicked>};
    table[slot(Handler::onClearLogClicked)] = {&handler<&Configurator::onClearLogClicked>};
    table[slot(Handler::onReceiveTimerTick)] = {&handler<&Configurator::onReceiveTimerTick>};
    table[slot(Handler::onOpenClosePortClicked)] = {&handler<&Configurator::onOpenClosePortClicked>};
    table[slot(Handler::onPortListDroppedDown)] = {&handler<&Configurator::onPortListDroppedDown>};
    return table;
}

constexpr std::array<EventHandlerEntry, main_window::kHandlerCount> kHandlers = makeTable();

}  // namespace

const EventHandlerEntry* applicationHandlerTable() {
    return kHandlers.data();
}

std::size_t applicationHandlerCount() {
    return kHandlers.size();
}

void releaseApplication() {
    application().configurator.release();
}

}  // namespace veltrano::app
