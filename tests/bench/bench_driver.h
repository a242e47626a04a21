#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace veltrano::bench {

// Each benchmark prints "name value" lines on standard output for
// scripts/bench.sh to pick up, and returns the process exit code.

struct StartupPrograms {
    std::wstring program;
    std::wstring minimal;    // one window
    std::wstring libraries;  // one window, after the real program's system libraries
    std::wstring reference;  // the real program's windows, by plain Win32 code
    std::wstring baseline;   // optional: an earlier build of the real program
};
// Starts each program `runs` times, in turn, and times each launch until its
// window is visible.
int runStartup(const StartupPrograms& programs, int runs);
// The working set of the real program once started and idle and after a
// read-back of the module, and of the reference program once started.
int runMemory(const std::wstring& folder, const std::wstring& reference);
// Opens the port and writes the program's full table into the module.
int runWrite(const std::wstring& folder);
// CPU time of the program with the port open and the line quiet.
// With openPort false the port stays closed: the timer's ticks alone.
int runIdle(const std::wstring& folder, int seconds, bool openPort);
// Starts learning `runs` times and notes when each learned code shows up in
// the log box, in system time (microseconds since 1970).
int runLatency(const std::wstring& folder, const std::string& learnedHex, int runs);
// Times single appends to a log box of the program's kind in this process
// when it already holds about `probe` lines, for each probe.
int runLogGrowth(const std::vector<int>& probes);

// Starts the program and lists each of its windows once its window of this
// class is up: class, styles, place, font, text length, list items.
int runWindowCensus(const std::wstring& program, const wchar_t* className);

// Microseconds since 1970 in the host's real-time clock.
std::int64_t systemMicroseconds();
double medianOf(std::vector<double> values);

}  // namespace veltrano::bench
