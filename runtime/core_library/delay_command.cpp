#include <windows.h>
#include <mmsystem.h>

#include "runtime/core_library/command_arguments.h"
#include "runtime/core_library/core_library.h"
#include "runtime/kernel/runtime_services.h"

namespace veltrano::core_library {
namespace {

// Time on the performance counter: the tick count moves in steps as coarse
// as 16 ms on some systems, and waiting until it passes the deadline adds
// up to a step to every wait.
class Stopwatch {
public:
    Stopwatch() {
        QueryPerformanceFrequency(&frequency_);
        QueryPerformanceCounter(&start_);
    }

    // Whole milliseconds still to wait, rounded up so that waiting them never
    // ends early; 0 once the span has passed.
    DWORD millisecondsLeft(std::int32_t span) const {
        LARGE_INTEGER now{};
        QueryPerformanceCounter(&now);
        const long long elapsedCounts = now.QuadPart - start_.QuadPart;
        const long long spanCounts = static_cast<long long>(span) * frequency_.QuadPart / 1000;
        if (elapsedCounts >= spanCounts) return 0;
        const long long left = ((spanCounts - elapsedCounts) * 1000 + frequency_.QuadPart - 1) / frequency_.QuadPart;
        return static_cast<DWORD>(left);
    }

private:
    LARGE_INTEGER frequency_{};
    LARGE_INTEGER start_{};
};

// The system timer's resolution raised to 1 ms for as long as a delay waits:
// at the default resolution of about 16 ms every wait for messages would
// overshoot by up to that much.
class FineTimerResolution {
public:
    FineTimerResolution() : active_(timeBeginPeriod(kPeriodMs) == TIMERR_NOERROR) {}
    FineTimerResolution(const FineTimerResolution&) = delete;
    FineTimerResolution& operator=(const FineTimerResolution&) = delete;
    ~FineTimerResolution() {
        if (active_) timeEndPeriod(kPeriodMs);
    }

private:
    static constexpr UINT kPeriodMs = 1;
    bool active_;
};

}  // namespace

// Messages are dispatched while waiting, so timer ticks and clicks run their
// handlers inside the caller's wait. Between rounds the thread sleeps until
// a message arrives or the time is up instead of spinning on the queue. Once
// the time is up the delay returns without dispatching what came meanwhile:
// the caller's next step must not wait for a handler that can as well run
// afterwards.
void Delay(ValueTriple*, std::uint32_t count, const ValueTriple* arguments) {
    const CommandArguments in(count, arguments);
    const std::int32_t milliseconds = in.integer(0);
    if (milliseconds <= 0) return;
    const FineTimerResolution resolution;
    const Stopwatch stopwatch;
    services::processPendingMessages();
    for (;;) {
        const DWORD left = stopwatch.millisecondsLeft(milliseconds);
        if (left == 0) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, left, QS_ALLINPUT);
        if (stopwatch.millisecondsLeft(milliseconds) == 0) return;
        services::processPendingMessages();
    }
}

}  // namespace veltrano::core_library
