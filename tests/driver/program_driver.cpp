#include "tests/driver/program_driver.h"

// The process status declarations need the window system's types first.
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <thread>

#if defined(_WIN64)
#include "tests/support/low_address_space.h"
#endif

namespace veltrano::driver {
namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(20);

struct WindowSearch {
    DWORD processId;
    const std::wstring* className;
    HWND found;
};

BOOL CALLBACK matchTopLevelWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window) && windowClass(window) == *search->className) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK collectChild(HWND window, LPARAM parameter) {
    reinterpret_cast<std::vector<HWND>*>(parameter)->push_back(window);
    return TRUE;
}

DWORD millisecondsUntil(Deadline deadline) {
    const auto remaining =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    return remaining.count() > 0 ? static_cast<DWORD>(remaining.count()) : 0;
}

}  // namespace

std::optional<RunningProgram> RunningProgram::start(const std::wstring& path, const std::wstring& workingDirectory) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"\"" + path + L"\"";
#if defined(_WIN64)
    // Held before its first instruction until its low address space is taken.
    const DWORD creationFlags = CREATE_SUSPENDED;
#else
    const DWORD creationFlags = 0;
#endif
    if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, creationFlags, nullptr,
                        workingDirectory.empty() ? nullptr : workingDirectory.c_str(), &startup, &info)) {
        std::fprintf(stderr, "%ls could not be started (system error %lu)\n", path.c_str(), GetLastError());
        return std::nullopt;
    }
    win::UniqueKernelHandle thread(info.hThread);
    RunningProgram program(win::UniqueKernelHandle(info.hProcess), info.dwProcessId);
#if defined(_WIN64)
    if (!program.takeLowAddressSpace()) return std::nullopt;
    ResumeThread(thread.get());
#endif
    thread.reset();
    WaitForInputIdle(program.process_.get(), 10000);
    return program;
}

#if defined(_WIN64)
bool RunningProgram::takeLowAddressSpace() {
    const test::AddressReservation reserved = test::reserveLowAddressSpace(process_.get());
    if (reserved.regions == 0) {
        // Run anyway, and nothing would show whether the program keeps an
        // address in 32 bits.
        std::fprintf(stderr, "nothing below 4 GB could be reserved in the started program\n");
        return false;
    }
    lowReservedBytes_ = reserved.bytes;
    for (const test::MemoryRegion& region : test::memoryRegions(process_.get())) {
        if (region.state != MEM_FREE) allocationsAtStart_.push_back(region.allocationBase);
    }
    std::sort(allocationsAtStart_.begin(), allocationsAtStart_.end());
    return true;
}
#endif

std::optional<std::uintptr_t> RunningProgram::lowestNewAddress() const {
#if defined(_WIN64)
    // Regions come in address order, so the first new one is the lowest. A
    // region counts as new by its allocation: pages committed later inside
    // a reservation the program already had are not memory newly handed out.
    for (const test::MemoryRegion& region : test::memoryRegions(process_.get())) {
        if (region.state == MEM_FREE) continue;
        if (!std::binary_search(allocationsAtStart_.begin(), allocationsAtStart_.end(), region.allocationBase)) {
            return region.base;
        }
    }
#endif
    return std::nullopt;
}

std::string describeLowestNewAddress(const RunningProgram& program, const std::string& name) {
    const std::optional<std::uintptr_t> lowest = program.lowestNewAddress();
    if (!lowest) return "lowest address given to " + name + " after start: none known";
    char address[64] = {};
    std::snprintf(address, sizeof address, "0x%016llx", static_cast<unsigned long long>(*lowest));
    return "lowest address given to " + name + " after start: " + address + " (" +
           std::to_string(program.lowReservedBytes() >> 20) + " MiB below 4 GB reserved before it ran)";
}

RunningProgram::~RunningProgram() {
    if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.get(), 99);
        WaitForSingleObject(process_.get(), 5000);
    }
}

HWND RunningProgram::waitForWindow(const std::wstring& className, Deadline deadline) const {
    for (;;) {
        WindowSearch search{processId_, &className, nullptr};
        EnumWindows(&matchTopLevelWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        if (std::chrono::steady_clock::now() >= deadline) return nullptr;
        if (WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0) return nullptr;
        std::this_thread::sleep_for(kPollInterval);
    }
}

std::optional<MessageBoxView> RunningProgram::waitForMessageBox(Deadline deadline) const {
    HWND box = waitForWindow(L"#32770", deadline);
    if (!box) return std::nullopt;
    MessageBoxView view{box, windowText(box), {}};
    // The message is the box's static text that is not its icon.
    for (HWND child : childWindows(box)) {
        if (windowClass(child) == L"Static" && (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) {
            std::wstring text = windowText(child);
            if (!text.empty()) view.text = text;
        }
    }
    return view;
}

bool RunningProgram::waitForInputIdle(Deadline deadline) const {
    return WaitForInputIdle(process_.get(), millisecondsUntil(deadline)) == 0;
}

std::optional<std::uint64_t> RunningProgram::workingSetBytes() const {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process_.get(), &counters, sizeof counters)) return std::nullopt;
    return counters.WorkingSetSize;
}

std::optional<DWORD> RunningProgram::waitForExit(Deadline deadline) const {
    if (WaitForSingleObject(process_.get(), millisecondsUntil(deadline)) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_.get(), &code);
    return code;
}

// Asked of the window itself: for another process's controls the system's
// copy of the caption is not the text a control such as an edit box shows.
std::wstring windowText(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, static_cast<WPARAM>(length + 1), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, 5000, &copied)) {
        return {};
    }
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

std::wstring windowClass(HWND window) {
    wchar_t name[256] = {};
    const int length = GetClassNameW(window, name, 256);
    return std::wstring(name, static_cast<std::size_t>(length > 0 ? length : 0));
}

std::vector<HWND> childWindows(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(parent, &collectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

bool pressDialogButton(HWND dialog, int buttonId) {
    HWND button = GetDlgItem(dialog, buttonId);
    if (!button) return false;
    SendMessageW(button, BM_CLICK, 0, 0);
    return true;
}

}  // namespace veltrano::driver
