#include "runtime/core_library/command_arguments.h"
#include "runtime/core_library/core_library.h"
#include "runtime/kernel/runtime_services.h"

namespace veltrano::core_library {

// Messages are dispatched while waiting, so timer ticks and clicks run their
// handlers inside the caller's wait. Between rounds the thread sleeps until
// a message arrives or the time is up instead of spinning on the queue.
void Delay(ValueTriple*, std::uint32_t count, const ValueTriple* arguments) {
    const CommandArguments in(count, arguments);
    const std::int32_t milliseconds = in.integer(0);
    if (milliseconds <= 0) return;
    const auto span = static_cast<DWORD>(milliseconds);
    const DWORD start = GetTickCount();
    for (;;) {
        services::processPendingMessages();
        services::processPendingMessages();
        // Elapsed time by unsigned difference stays right when the 32-bit
        // tick count wraps during the wait.
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed > span) return;
        services::processPendingMessages();
        services::processPendingMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, span - elapsed + 1, QS_ALLINPUT);
    }
}

}  // namespace veltrano::core_library
