#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace veltrano::serialtest {

// What the far end of the line does: record every byte it receives and, once
// the first bytes received are exactly `expect`, answer with `reply`.
struct FarEndScript {
    std::vector<std::uint8_t> expect;
    std::vector<std::uint8_t> reply;
    std::string recordPath;
    std::chrono::milliseconds timeout{30000};
};

enum class FarEndOutcome {
    Replied,      // the expected bytes came and the reply went out
    NothingToDo,  // no expectation given; ran until stopped
    Mismatch,     // other bytes came first
    TimedOut,     // the expected bytes did not come in time
};

// Serves the line on `master` until SIGTERM or SIGINT (which the caller has
// blocked) arrives, or the timeout runs out.
FarEndOutcome serveLine(int master, const FarEndScript& script);

}  // namespace veltrano::serialtest
