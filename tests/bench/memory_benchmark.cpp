// Working sets of the running program and of the start-up reference, as the
// system reports them for another process.
#include <cstdio>
#include <thread>

#include "tests/bench/bench_driver.h"
#include "tests/e2e_program/main_window_texts.h"
#include "tests/e2e_program/program_session.h"

namespace veltrano::bench {
namespace {

using namespace std::chrono_literals;

// Idle, and its first paint and the work posted at start done.
void settle(const driver::RunningProgram& program) {
    program.waitForInputIdle(driver::deadlineIn(10s));
    std::this_thread::sleep_for(500ms);
}

bool printWorkingSet(const driver::RunningProgram& program, const char* name) {
    const std::optional<std::uint64_t> bytes = program.workingSetBytes();
    if (!bytes) {
        std::fprintf(stderr, "the working set of %s cannot be read (error %lu)\n", name, GetLastError());
        return false;
    }
    std::printf("%s %.2f\n", name, static_cast<double>(*bytes) / (1024.0 * 1024.0));
    std::fflush(stdout);
    return true;
}

}  // namespace

int runMemory(const std::wstring& folder, const std::wstring& reference) {
    {
        const std::wstring referenceFolder = reference.substr(0, reference.rfind(L'\\'));
        auto running = driver::RunningProgram::start(reference, referenceFolder);
        const HWND window = running ? running->waitForWindow(L"KVWindow", driver::deadlineIn(30s)) : nullptr;
        if (window == nullptr) {
            std::fprintf(stderr, "the reference program did not show its window\n");
            return 1;
        }
        settle(*running);
        const bool read = printWorkingSet(*running, "memory-reference-mb");
        PostMessageW(window, WM_CLOSE, 0, 0);
        running->waitForExit(driver::deadlineIn(20s));
        if (!read) return 1;
    }
    auto session = e2e::ProgramSession::startIn(folder);
    if (!session) {
        std::fprintf(stderr, "veltrano.exe did not show its window\n");
        return 1;
    }
    settle(session->program());
    if (!printWorkingSet(session->program(), "memory-startup-mb")) return 1;
    if (!session->openPort(e2e::portName())) {
        std::fprintf(stderr, "the port %ls did not open\n", e2e::portName().c_str());
        return 1;
    }
    if (!session->runModuleSequence(e2e::kReadModule, 120s)) {
        std::fprintf(stderr, "the read-back did not run to its end\n");
        return 1;
    }
    settle(session->program());
    if (!printWorkingSet(session->program(), "memory-readback-mb")) return 1;
    session->close();
    return 0;
}

}  // namespace veltrano::bench
