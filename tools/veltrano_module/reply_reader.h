#pragma once

#include <chrono>
#include <vector>

#include "app/protocol/receive_classifier.h"
#include "tools/veltrano_module/module_line.h"

namespace veltrano::module {

using SteadyClock = std::chrono::steady_clock;

// Reads the module's replies and judges them as the program's receive step
// does: bytes that arrive without a pause of a poll interval form one read,
// a read that holds several frames is cut where the program cuts it, and
// each piece is classified by the program's rules.
class ReplyReader {
public:
    explicit ReplyReader(ModuleLine& line) : line_(line) {}

    // Collects and judges replies until `until`; a reply still arriving then
    // is read to its end. False once the line is gone.
    bool collect(SteadyClock::time_point until, std::vector<protocol::ReceiveOutcome>& outcomes);

    bool extracting() const { return extracting_; }

private:
    void judge(Bytes& read, std::vector<protocol::ReceiveOutcome>& outcomes);

    ModuleLine& line_;
    bool extracting_ = false;
};

}  // namespace veltrano::module
