// The user's side of the module protocol's figures: a read-back from the
// confirmation to its end in the log, and a test send from the click. The
// module's side of each comes from the simulator's frame log; the script
// puts both on one clock.
#include <cstdio>
#include <thread>

#include "app/protocol/log_lines.h"
#include "runtime/kernel/wide_text.h"
#include "tests/bench/bench_driver.h"
#include "tests/bench/log_watch.h"
#include "tests/e2e_program/main_window_texts.h"
#include "tests/e2e_program/program_session.h"

namespace veltrano::bench {
namespace {

using namespace std::chrono_literals;

// A log line's text without its line end.
std::wstring lineText(std::string_view gbkLine) {
    return wideFromCodePage936(gbkLine.substr(0, gbkLine.size() - protocol::kLineEnd.size()));
}

void printTime(const char* name, int run, std::int64_t microseconds) {
    std::printf("%s %d %lld\n", name, run, static_cast<long long>(microseconds));
}

}  // namespace

int runReadBack(const std::wstring& folder, int runs) {
    auto session = startWithPortOpen(folder);
    if (!session) return 1;
    HWND read = session->childWithText(e2e::kReadModule);
    HWND log = session->logBox();
    if (read == nullptr || log == nullptr) {
        std::fprintf(stderr, "the read button or the log box is missing\n");
        return 1;
    }
    const std::wstring complete = lineText(protocol::kReadBackCompleteLine);
    LogWatch watch(log);
    for (int run = 0; run < runs; ++run) {
        if (!driver::eventually([&] { return IsWindowEnabled(read) != FALSE; }, 10s)) {
            std::fprintf(stderr, "run %d: the read button stayed grey\n", run);
            return 1;
        }
        watch.mark();
        session->click(read);
        const auto box = session->waitForDialog(10s);
        if (!box) {
            std::fprintf(stderr, "run %d: no confirmation was asked\n", run);
            return 1;
        }
        const std::int64_t confirmed = systemMicroseconds();
        if (!driver::pressDialogButton(box->window, IDOK)) {
            std::fprintf(stderr, "run %d: the confirmation has no OK button\n", run);
            return 1;
        }
        const auto done = watch.waitFor(
            [&](const std::wstring& appended) { return appended.find(complete) != std::wstring::npos; }, 30s);
        if (!done) {
            std::fprintf(stderr, "run %d: the read-back never completed in the log box\n", run);
            return 1;
        }
        printTime("readback-confirmed", run, confirmed);
        printTime("readback-complete", run, *done);
        std::this_thread::sleep_for(300ms + tickPhase(run, runs));
    }
    session->close();
    return 0;
}

int runTestSend(const std::wstring& folder, const std::string& codeHex, int runs) {
    auto session = startWithPortOpen(folder);
    if (!session) return 1;
    HWND send = session->childWithText(e2e::kSendTest);
    HWND input = session->testInput();
    HWND log = session->logBox();
    if (send == nullptr || input == nullptr || log == nullptr) {
        std::fprintf(stderr, "the test button, its input or the log box is missing\n");
        return 1;
    }
    const std::wstring code(codeHex.begin(), codeHex.end());
    SendMessageW(input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(code.c_str()));
    const std::wstring sent = lineText(protocol::kTestSentLine);
    ClicksToLog clicks;
    clicks.button = send;
    clicks.found = [&](const std::wstring& appended) { return appended.find(sent) != std::wstring::npos; };
    clicks.clickedName = "test-send-clicked";
    clicks.seenName = "test-send-logged";
    clicks.what = "the test send";
    // Well past the quiet gap that ends a code on the module's side.
    clicks.pause = 200ms;
    clicks.runs = runs;
    if (timeClicksToLog(*session, clicks) != 0) return 1;
    session->close();
    return 0;
}

}  // namespace veltrano::bench
