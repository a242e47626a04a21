#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace veltrano::e2e {
class ProgramSession;
}

namespace veltrano::bench {

// Follows the program's log box from the driver's process. The box's length
// is asked for every millisecond; the text is fetched only when the length
// has changed, since under Wine every question is a round trip through the
// server that the program's thread has to answer.
class LogWatch {
public:
    explicit LogWatch(HWND log) : log_(log) {}

    // From here on only what is appended counts.
    void mark();
    // When (system time, microseconds since 1970) the text appended since
    // the mark was first seen to satisfy `found`; nothing when it did not
    // within `wait`. The time is taken as the new length is seen, before
    // the text is fetched.
    std::optional<std::int64_t> waitFor(const std::function<bool(const std::wstring& appended)>& found,
                                        std::chrono::milliseconds wait) const;

private:
    HWND log_;
    std::size_t marked_ = 0;
};

// A button clicked again and again, each click timed to the first text it
// appends to the log box that `found` accepts.
struct ClicksToLog {
    HWND button = nullptr;
    std::function<bool(const std::wstring& appended)> found;
    // Printed as "NAME RUN MICROSECONDS"; no click line when null.
    const char* clickedName = nullptr;
    const char* seenName = nullptr;
    // What never reached the log box when a run fails.
    const char* what = nullptr;
    // Between runs, before the tick phase is added.
    std::chrono::milliseconds pause{};
    int runs = 0;
};

// 0 when every run saw its text, 1 after saying which did not.
int timeClicksToLog(const e2e::ProgramSession& session, const ClicksToLog& clicks);

}  // namespace veltrano::bench
