#include <signal.h>
#include <unistd.h>

#include "tools/veltrano_module/serial_line_posix.h"
#include "tools/veltrano_module/system_services.h"

namespace veltrano::module {
namespace {

std::atomic<bool> stopRequested{false};

extern "C" void noteInterrupt(int) {
    stopRequested.store(true);
}

}  // namespace

std::unique_ptr<LineOpener> makeSystemLineOpener() {
    return std::make_unique<PosixLineOpener>();
}

const std::atomic<bool>& stopOnInterrupt() {
    struct sigaction action {};
    action.sa_handler = noteInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    return stopRequested;
}

bool errorIsTerminal() {
    return ::isatty(STDERR_FILENO) == 1;
}

}  // namespace veltrano::module
