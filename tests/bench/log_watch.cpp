#include "tests/bench/log_watch.h"

#include "tests/bench/bench_driver.h"
#include "tests/driver/program_driver.h"

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

}  // namespace veltrano::bench
