// Windows console driver of the benchmarks that need the real program or
// the window system:
//   veltrano-bench-driver startup PROGRAM MINIMAL_PROGRAM LIBRARIES_PROGRAM REFERENCE_PROGRAM RUNS [BASELINE_PROGRAM]
//   veltrano-bench-driver write FOLDER
//   veltrano-bench-driver idle FOLDER SECONDS
//   veltrano-bench-driver idle-closed FOLDER SECONDS
//   veltrano-bench-driver latency FOLDER LEARNED_HEX RUNS
//   veltrano-bench-driver read-back FOLDER RUNS
//   veltrano-bench-driver test-send FOLDER CODE_HEX RUNS
//   veltrano-bench-driver log-growth LINE...
//   veltrano-bench-driver windows PROGRAM WINDOW_CLASS
//   veltrano-bench-driver memory FOLDER REFERENCE_PROGRAM
// FOLDER holds veltrano.exe, DLL\PCOMM.DLL and data.dat; the port comes from
// VELTRANO_E2E_PORT.
#include <windows.h>
// The shell's declarations need the window system's types first.
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "tests/bench/bench_driver.h"

namespace veltrano::bench {

std::int64_t systemMicroseconds() {
    FILETIME now{};
    GetSystemTimePreciseAsFileTime(&now);
    const std::uint64_t ticks = (std::uint64_t{now.dwHighDateTime} << 32) | now.dwLowDateTime;
    constexpr std::uint64_t kTicksFrom1601To1970 = 116444736000000000ULL;
    return static_cast<std::int64_t>((ticks - kTicksFrom1601To1970) / 10);
}

double medianOf(std::vector<double> values) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

std::chrono::microseconds tickPhase(int run, int runs) {
    constexpr int kTickMicroseconds = 10000;
    return std::chrono::microseconds(runs > 0 ? (run % runs) * kTickMicroseconds / runs : 0);
}

namespace {

int usage() {
    std::fprintf(
        stderr,
        "usage: veltrano-bench-driver startup PROGRAM MINIMAL_PROGRAM LIBRARIES_PROGRAM REFERENCE_PROGRAM RUNS\n"
        "       [BASELINE_PROGRAM] |\n"
        "       write FOLDER | idle FOLDER SECONDS | idle-closed FOLDER SECONDS |\n"
        "       latency FOLDER LEARNED_HEX RUNS | read-back FOLDER RUNS |\n"
        "       test-send FOLDER CODE_HEX RUNS | log-growth LINE... |\n"
        "       windows PROGRAM WINDOW_CLASS | memory FOLDER REFERENCE_PROGRAM\n");
    return 2;
}

int number(const wchar_t* text) {
    return static_cast<int>(std::wcstol(text, nullptr, 10));
}

std::string narrow(const wchar_t* text) {
    std::string out;
    for (; *text != 0; ++text) out.push_back(static_cast<char>(*text & 0x7F));
    return out;
}

}  // namespace
}  // namespace veltrano::bench

int main() {
    using namespace veltrano::bench;
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == nullptr || argc < 2) return usage();
    const std::wstring command = argv[1];
    int status = 2;
    if (command == L"startup" && (argc == 7 || argc == 8)) {
        status = runStartup({argv[2], argv[3], argv[4], argv[5], argc == 8 ? argv[7] : L""}, number(argv[6]));
    } else if (command == L"write" && argc == 3) {
        status = runWrite(argv[2]);
    } else if (command == L"idle" && argc == 4) {
        status = runIdle(argv[2], number(argv[3]), true);
    } else if (command == L"idle-closed" && argc == 4) {
        status = runIdle(argv[2], number(argv[3]), false);
    } else if (command == L"latency" && argc == 5) {
        status = runLatency(argv[2], narrow(argv[3]), number(argv[4]));
    } else if (command == L"read-back" && argc == 4) {
        status = runReadBack(argv[2], number(argv[3]));
    } else if (command == L"test-send" && argc == 5) {
        status = runTestSend(argv[2], narrow(argv[3]), number(argv[4]));
    } else if (command == L"log-growth" && argc >= 3) {
        std::vector<int> probes;
        for (int i = 2; i < argc; ++i) probes.push_back(number(argv[i]));
        status = runLogGrowth(probes);
    } else if (command == L"windows" && argc == 4) {
        status = runWindowCensus(argv[2], argv[3]);
    } else if (command == L"memory" && argc == 4) {
        status = runMemory(argv[2], argv[3]);
    } else {
        status = usage();
    }
    LocalFree(argv);
    std::fflush(stdout);
    return status;
}
