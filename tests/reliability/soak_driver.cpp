// veltrano-soak-driver: starts the real program against the module
// simulator (its folder and port in VELTRANO_E2E_FOLDER and VELTRANO_E2E_PORT,
// as for the end-to-end cases), opens the port and runs write and read-back
// cycles until the file STOP-FILE (a Windows path) exists. After each cycle it
// prints
//   cycle N ok|failed log-chars L
// and checks that the module holds the rows it started with. Exit code 0
// when every cycle succeeded.
#include <cstdio>
#include <string>

#include "runtime/kernel/wide_text.h"
#include "tests/e2e_program/main_window_texts.h"
#include "tests/e2e_program/program_session.h"

namespace veltrano::reliability {
namespace {

using namespace std::chrono_literals;

bool fileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

int runSoak(const std::wstring& stopFile) {
    auto session = e2e::ProgramSession::start();
    if (!session) {
        std::printf("the program did not start\n");
        return 1;
    }
    if (!session->openPort(e2e::portName())) {
        std::printf("the port did not open\n");
        return 1;
    }
    const auto expected = e2e::preloadedRows();
    int failures = 0;
    for (int cycle = 1; !fileExists(stopFile); ++cycle) {
        const bool read = session->runModuleSequence(e2e::kReadModule, 120s);
        const bool written = read && session->runModuleSequence(e2e::kWriteModule, 120s);
        const bool same = written && e2e::moduleRows() == expected;
        if (!same) ++failures;
        std::printf("cycle %d %s log-chars %lu\n", cycle, same ? "ok" : "failed",
                    static_cast<unsigned long>(session->logText().size()));
        std::fflush(stdout);
    }
    // Minutes of cycles later, memory the program was given along the way
    // counts too.
    std::printf("at the end: %s\n", session->memoryLine().c_str());
    if (!session->close()) {
        std::printf("the program did not end when its window was closed\n");
        return 1;
    }
    return failures == 0 ? 0 : 1;
}

}  // namespace
}  // namespace veltrano::reliability

int main(int argc, char** argv) {
    if (argc != 2) {
        std::printf("usage: veltrano-soak-driver STOP-FILE\n");
        return 2;
    }
    return veltrano::reliability::runSoak(veltrano::wideFromCodePage936(argv[1]));
}
