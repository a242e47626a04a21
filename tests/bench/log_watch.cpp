#include "tests/bench/log_watch.h"

#include <cstdio>
#include <thread>

#include "tests/bench/bench_driver.h"
#include "tests/driver/program_driver.h"
#include "tests/e2e_program/program_session.h"

namespace veltrano::bench {

void LogWatch::mark() {
    marked_ = driver::windowText(log_).size();
}

std::optional<std::int64_t> LogWatch::waitFor(const std::function<bool(const std::wstring&)>& found,
                                              std::chrono::milliseconds wait) const {
    const auto deadline = driver::deadlineIn(wait);
    std::size_t length = marked_;
    while (std::chrono::steady_clock::now() < deadline) {
        const auto now = static_cast<std::size_t>(SendMessageW(log_, WM_GETTEXTLENGTH, 0, 0));
        if (now != length) {
            const std::int64_t seen = systemMicroseconds();
            length = now;
            const std::wstring text = driver::windowText(log_);
            if (text.size() > marked_ && found(text.substr(marked_))) return seen;
        }
        Sleep(1);
    }
    return std::nullopt;
}

int timeClicksToLog(const e2e::ProgramSession& session, const ClicksToLog& clicks) {
    using namespace std::chrono_literals;
    LogWatch watch(session.logBox());
    for (int run = 0; run < clicks.runs; ++run) {
        watch.mark();
        const std::int64_t clicked = systemMicroseconds();
        session.click(clicks.button);
        const auto seen = watch.waitFor(clicks.found, 10s);
        if (!seen) {
            std::fprintf(stderr, "run %d: %s never reached the log box\n", run, clicks.what);
            return 1;
        }
        if (clicks.clickedName != nullptr)
            std::printf("%s %d %lld\n", clicks.clickedName, run, static_cast<long long>(clicked));
        std::printf("%s %d %lld\n", clicks.seenName, run, static_cast<long long>(*seen));
        std::this_thread::sleep_for(clicks.pause + tickPhase(run, clicks.runs));
    }
    return 0;
}

}  // namespace veltrano::bench
