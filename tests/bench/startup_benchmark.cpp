#include <cstdio>
#include <thread>

#include "tests/bench/bench_driver.h"
#include "tests/driver/program_driver.h"

namespace veltrano::bench {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

struct WindowWanted {
    DWORD processId = 0;
    const wchar_t* className = nullptr;
    const wchar_t* captionStart = nullptr;
    HWND found = nullptr;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM parameter) {
    auto& wanted = *reinterpret_cast<WindowWanted*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != wanted.processId || !IsWindowVisible(window)) return TRUE;
    if (driver::windowClass(window) != wanted.className) return TRUE;
    wchar_t caption[256] = {};
    GetWindowTextW(window, caption, 256);
    if (std::wstring_view(caption).rfind(wanted.captionStart, 0) != 0) return TRUE;
    wanted.found = window;
    return FALSE;
}

constexpr double kWindowNeverCame = -1.0;
constexpr double kNotLaunched = -2.0;

// Milliseconds from the launch to the visible window, or a negative value
// when the window never came or the program could not be launched. The
// program is closed as a user closes it.
double launchAndTime(const std::wstring& program, const wchar_t* className, const wchar_t* captionStart) {
    const std::wstring folder = program.substr(0, program.rfind(L'\\'));
    const Clock::time_point launched = Clock::now();
    auto running = driver::RunningProgram::start(program, folder);
    if (!running) return kNotLaunched;
    WindowWanted wanted{running->processId(), className, captionStart, nullptr};
    const Clock::time_point deadline = launched + 60s;
    // Looking for the window costs the window system requests, which would
    // queue with the program's own: look only once it has started.
    running->waitForInputIdle(deadline);
    while (wanted.found == nullptr && Clock::now() < deadline) {
        EnumWindows(&matchWindow, reinterpret_cast<LPARAM>(&wanted));
        if (wanted.found == nullptr) std::this_thread::sleep_for(1ms);
    }
    const double elapsed = std::chrono::duration<double, std::milli>(Clock::now() - launched).count();
    if (wanted.found == nullptr) return kWindowNeverCame;
    PostMessageW(wanted.found, WM_CLOSE, 0, 0);
    running->waitForExit(driver::deadlineIn(20s));
    return elapsed;
}

// A launch the system refuses now and then on a busy machine (creating the
// process, or reserving its low address space before it runs) is no figure
// of the program's: it is tried again, twice at most, and said so. A window
// that never comes stays a failure.
double timeToWindow(const std::wstring& program, const wchar_t* className, const wchar_t* captionStart) {
    for (int attempt = 1;; ++attempt) {
        const double elapsed = launchAndTime(program, className, captionStart);
        if (elapsed != kNotLaunched) return elapsed;
        // The driver has said why, where it knew: the last error here may
        // belong to a later call.
        std::fprintf(stderr, "%ls could not be launched (attempt %d)\n", program.c_str(), attempt);
        if (attempt == 3) return kNotLaunched;
    }
}

}  // namespace

int runStartup(const StartupPrograms& programs, int runs) {
    std::vector<double> programTimes;
    std::vector<double> minimalTimes;
    std::vector<double> librariesTimes;
    std::vector<double> referenceTimes;
    std::vector<double> baselineTimes;
    for (int run = 0; run < runs; ++run) {
        if (!programs.baseline.empty()) {
            const double baseline = timeToWindow(programs.baseline, L"KVWindow", L"Veltrano");
            if (baseline < 0) {
                std::fprintf(stderr, "run %d: the baseline program's window did not appear\n", run);
                return 1;
            }
            std::printf("startup-baseline-run %d %.2f\n", run, baseline);
            baselineTimes.push_back(baseline);
        }
        const double minimal = timeToWindow(programs.minimal, L"VeltranoBenchWindow", L"Bench window");
        const double libraries = timeToWindow(programs.libraries, L"VeltranoBenchWindow", L"Bench window");
        const double reference = timeToWindow(programs.reference, L"KVWindow", L"Veltrano");
        const double full = timeToWindow(programs.program, L"KVWindow", L"Veltrano");
        if (minimal < 0 || libraries < 0 || reference < 0 || full < 0) {
            std::fprintf(stderr,
                         "run %d: a window did not appear (program %.1f, minimal %.1f, libraries %.1f, "
                         "reference %.1f)\n",
                         run, full, minimal, libraries, reference);
            return 1;
        }
        std::printf("startup-run %d %.2f %.2f %.2f %.2f\n", run, full, minimal, libraries, reference);
        programTimes.push_back(full);
        minimalTimes.push_back(minimal);
        librariesTimes.push_back(libraries);
        referenceTimes.push_back(reference);
    }
    std::printf("startup-ms %.2f\n", medianOf(programTimes));
    std::printf("startup-minimal-ms %.2f\n", medianOf(minimalTimes));
    std::printf("startup-libraries-ms %.2f\n", medianOf(librariesTimes));
    std::printf("startup-reference-ms %.2f\n", medianOf(referenceTimes));
    if (!baselineTimes.empty()) std::printf("startup-baseline-ms %.2f\n", medianOf(baselineTimes));
    return 0;
}

}  // namespace veltrano::bench
