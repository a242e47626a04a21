// Benchmarks of the running program against the simulated module.
#include <cstdio>
#include <thread>

#include "runtime/kernel/unique_handle.h"
#include "runtime/kernel/wide_text.h"
#include "tests/bench/bench_driver.h"
#include "tests/bench/log_watch.h"
#include "tests/e2e_program/main_window_texts.h"
#include "tests/e2e_program/program_session.h"

namespace veltrano::bench {

using namespace std::chrono_literals;
using e2e::ProgramSession;

std::unique_ptr<ProgramSession> startWithPortOpen(const std::wstring& folder) {
    auto session = ProgramSession::startIn(folder);
    if (!session) {
        std::fprintf(stderr, "veltrano.exe did not show its window\n");
        return nullptr;
    }
    if (!session->openPort(e2e::portName())) {
        std::fprintf(stderr, "the port %ls did not open\n", e2e::portName().c_str());
        return nullptr;
    }
    return session;
}

namespace {

std::uint64_t hundredNanoseconds(const FILETIME& time) {
    return (std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
}

// Kernel plus user time of the process, in seconds.
std::optional<double> cpuSeconds(HANDLE process) {
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return std::nullopt;
    return static_cast<double>(hundredNanoseconds(kernel) + hundredNanoseconds(user)) / 1e7;
}

std::string withoutSpaces(const std::wstring& text) {
    std::string out;
    for (const wchar_t character : text) {
        if (character != L' ') out.push_back(static_cast<char>(character & 0x7F));
    }
    return out;
}

}  // namespace

int runWrite(const std::wstring& folder) {
    auto session = startWithPortOpen(folder);
    if (!session) return 1;
    const auto started = std::chrono::steady_clock::now();
    if (!session->runModuleSequence(e2e::kWriteModule, 120s)) {
        std::fprintf(stderr, "the write sequence did not run to its end\n");
        return 1;
    }
    const double elapsed =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
    std::printf("write-driver-ms %.1f\n", elapsed);
    session->close();
    return 0;
}

int runIdle(const std::wstring& folder, int seconds, bool openPort) {
    auto session = openPort ? startWithPortOpen(folder) : ProgramSession::startIn(folder);
    if (!session) return 1;
    DWORD processId = 0;
    GetWindowThreadProcessId(session->window(), &processId);
    win::UniqueKernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process) {
        std::fprintf(stderr, "the program's process cannot be queried\n");
        return 1;
    }
    // The port's opening and the first paint are not part of the quiet time.
    std::this_thread::sleep_for(1s);
    const std::optional<double> before = cpuSeconds(process.get());
    const auto started = std::chrono::steady_clock::now();
    std::printf("idle-begin\n");
    std::fflush(stdout);
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const std::optional<double> after = cpuSeconds(process.get());
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("idle-end\n");
    if (!before || !after) {
        std::fprintf(stderr, "the process times cannot be read\n");
        return 1;
    }
    std::printf("idle-wall-s %.3f\n", wall);
    std::printf("idle-win32-cpu-s %.4f\n", *after - *before);
    std::printf("idle-win32-percent %.3f\n", 100.0 * (*after - *before) / wall);
    session->close();
    return 0;
}

int runLatency(const std::wstring& folder, const std::string& learnedHex, int runs) {
    auto session = startWithPortOpen(folder);
    if (!session) return 1;
    HWND learn = session->childWithText(e2e::kLearn);
    HWND log = session->logBox();
    if (learn == nullptr || log == nullptr) {
        std::fprintf(stderr, "the learn button or the log box is missing\n");
        return 1;
    }
    ClicksToLog clicks;
    clicks.button = learn;
    clicks.found = [&](const std::wstring& appended) {
        return withoutSpaces(appended).find(learnedHex) != std::string::npos;
    };
    clicks.seenName = "latency-seen";
    clicks.what = "the learned code";
    clicks.pause = 200ms;
    clicks.runs = runs;
    if (timeClicksToLog(*session, clicks) != 0) return 1;
    session->close();
    return 0;
}

}  // namespace veltrano::bench
