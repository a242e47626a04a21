// Starts an installed copy of the program, waits for its window, closes it
// and waits for a normal end:
//   installed_program_check.exe PROGRAM
// Exit code 0 when all of that happened; otherwise what went wrong is on the
// error stream.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "tests/driver/program_driver.h"

int wmain(int argc, wchar_t** argv) {
    using namespace std::chrono_literals;
    using namespace veltrano::driver;
    if (argc != 2) {
        std::fwprintf(stderr, L"usage: installed_program_check PROGRAM\n");
        return 2;
    }
    const std::wstring program = argv[1];
    const std::wstring folder = program.substr(0, program.rfind(L'\\'));
    auto running = RunningProgram::start(program, folder);
    if (!running) {
        std::fwprintf(stderr, L"cannot start %ls\n", program.c_str());
        return 1;
    }
    HWND window = running->waitForWindow(L"KVWindow", deadlineIn(30s));
    if (window == nullptr) {
        std::fwprintf(stderr, L"the program's window did not appear\n");
        return 1;
    }
    const std::wstring caption = windowText(window);
    std::wprintf(L"window: %ls\n", caption.c_str());
    // The caption names the table beside the program: the installed copy
    // works from its own folder.
    const std::wstring expected = L"Veltrano   " + folder + L"\\data.dat";
    if (caption != expected) {
        std::fwprintf(stderr, L"the caption is \"%ls\", not \"%ls\"\n", caption.c_str(), expected.c_str());
        return 1;
    }
    PostMessageW(window, WM_CLOSE, 0, 0);
    const auto code = running->waitForExit(deadlineIn(20s));
    if (!code) {
        std::fwprintf(stderr, L"the program did not end after its window closed\n");
        return 1;
    }
    if (*code != 0) {
        std::fwprintf(stderr, L"the program ended with exit code %lu\n", static_cast<unsigned long>(*code));
        return 1;
    }
    return 0;
}
