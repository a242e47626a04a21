#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "runtime/kernel/unique_handle.h"

namespace veltrano::driver {

using Deadline = std::chrono::steady_clock::time_point;
inline Deadline deadlineIn(std::chrono::milliseconds span) {
    return std::chrono::steady_clock::now() + span;
}

// Polls a condition of another process's windows until it holds or the wait
// is over; the program gets on with its work meanwhile.
template <typename Condition>
bool eventually(Condition condition, std::chrono::milliseconds wait) {
    const Deadline deadline = deadlineIn(wait);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return condition();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

// A message box as the user sees it.
struct MessageBoxView {
    HWND window = nullptr;
    std::wstring caption;
    std::wstring text;
};

// A program started for a test; it is ended when the driver goes away.
class RunningProgram {
public:
    static std::optional<RunningProgram> start(const std::wstring& path, const std::wstring& workingDirectory = {});

    RunningProgram(RunningProgram&&) noexcept = default;
    RunningProgram& operator=(RunningProgram&&) noexcept = default;
    ~RunningProgram();

    DWORD processId() const noexcept { return processId_; }

    // The first visible top-level window of the program with this window
    // class, waiting until the deadline.
    HWND waitForWindow(const std::wstring& className, Deadline deadline) const;
    std::optional<MessageBoxView> waitForMessageBox(Deadline deadline) const;
    // Whether the program came to wait for input before the deadline: its
    // start-up is over. Waiting this way asks nothing of the window system
    // meanwhile, unlike looking for its windows.
    bool waitForInputIdle(Deadline deadline) const;
    // The exit code, or nothing when the program still runs at the deadline.
    std::optional<DWORD> waitForExit(Deadline deadline) const;
    // The program's working set in bytes as the system reports it, or
    // nothing when it cannot be read.
    std::optional<std::uint64_t> workingSetBytes() const;

    // On x86-64 the program is started with everything below 4 GB already
    // taken, so that an address it cuts to 32 bits points at nothing. What
    // was taken, and the lowest address of the memory the program has been
    // given since it began to run (nothing on 32-bit Windows, where all of
    // it lies below 4 GB anyway).
    std::uint64_t lowReservedBytes() const noexcept { return lowReservedBytes_; }
    std::optional<std::uintptr_t> lowestNewAddress() const;

private:
    RunningProgram(win::UniqueKernelHandle process, DWORD processId) noexcept
        : process_(std::move(process)), processId_(processId) {}
#if defined(_WIN64)
    bool takeLowAddressSpace();
#endif

    win::UniqueKernelHandle process_;
    DWORD processId_ = 0;
    std::uint64_t lowReservedBytes_ = 0;
    // The allocations the program had when it was let run, sorted.
    std::vector<std::uintptr_t> allocationsAtStart_;
};

// The line the drivers write to their logs about lowestNewAddress().
std::string describeLowestNewAddress(const RunningProgram& program, const std::string& name);

std::wstring windowText(HWND window);
std::wstring windowClass(HWND window);
std::vector<HWND> childWindows(HWND parent);
// Presses a dialog button by its id, as a click would.
bool pressDialogButton(HWND dialog, int buttonId);

}  // namespace veltrano::driver
