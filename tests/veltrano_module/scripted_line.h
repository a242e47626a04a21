#pragma once

#include <chrono>
#include <deque>
#include <map>
#include <utility>
#include <vector>

#include "tools/veltrano_module/module_line.h"
#include "tools/veltrano_module/reply_reader.h"

namespace veltrano::module::test {

// A module at the far end of a line in memory: it echoes what the module
// echoes and reads its rows back, paced like the module; every write is kept
// with the time it was made. The line can be pulled after some writes.
class ScriptedLine final : public ModuleLine {
public:
    struct Written {
        Bytes bytes;
        SteadyClock::time_point at;
    };

    bool write(std::span<const std::uint8_t> bytes) override;
    bool read(Bytes& into, Millis within) override;

    // Replies bytes `after` the next write.
    void replyAfterNextWrite(Bytes bytes, Millis after) { scripted_.emplace_back(std::move(bytes), after); }

    std::vector<Written> writes;
    bool echoes = true;
    // The writes the line takes before it is gone; negative: never gone.
    int writesBeforeLoss = -1;
    std::map<int, Bytes> rows;
    Millis pace{30};

private:
    void due(Bytes bytes, SteadyClock::time_point at);

    std::deque<std::pair<SteadyClock::time_point, Bytes>> pending_;
    std::vector<std::pair<Bytes, Millis>> scripted_;
    bool lost_ = false;
};

}  // namespace veltrano::module::test
