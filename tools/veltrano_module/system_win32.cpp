#include <windows.h>
// After windows.h, which it needs.
#include <mmsystem.h>

#include "tools/veltrano_module/system_services.h"

namespace veltrano::module {
namespace {

std::atomic<bool> stopRequested{false};

BOOL WINAPI noteInterrupt(DWORD event) noexcept {
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) {
        stopRequested.store(true);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

const std::atomic<bool>& stopOnInterrupt() {
    SetConsoleCtrlHandler(noteInterrupt, TRUE);
    // The protocol's pauses are tens of milliseconds; the default timer
    // period of about 16 ms would stretch every one of them.
    timeBeginPeriod(1);
    return stopRequested;
}

// The board redraws with terminal escape sequences, which a console takes
// only once asked to.
bool errorIsTerminal() {
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (error == INVALID_HANDLE_VALUE || !GetConsoleMode(error, &mode)) return false;
    return SetConsoleMode(error, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != FALSE;
}

}  // namespace veltrano::module
