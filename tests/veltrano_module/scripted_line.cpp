#include "tests/veltrano_module/scripted_line.h"

#include <algorithm>
#include <thread>

#include "app/protocol/frames.h"

namespace veltrano::module::test {
namespace {

Bytes frame(std::string_view text) {
    return protocol::frameBytes(text).value();
}

}  // namespace

void ScriptedLine::due(Bytes bytes, SteadyClock::time_point at) {
    const auto later =
        std::find_if(pending_.begin(), pending_.end(), [&](const auto& item) { return item.first > at; });
    pending_.insert(later, {at, std::move(bytes)});
}

bool ScriptedLine::write(std::span<const std::uint8_t> bytes) {
    if (writesBeforeLoss >= 0 && static_cast<int>(writes.size()) >= writesBeforeLoss) {
        lost_ = true;
        return false;
    }
    const auto now = SteadyClock::now();
    const Bytes frameBytes(bytes.begin(), bytes.end());
    writes.push_back({frameBytes, now});
    for (auto& [reply, after] : scripted_) due(std::move(reply), now + after);
    scripted_.clear();
    if (!echoes) return true;
    if (frameBytes == frame(protocol::kEnterConfigText) || frameBytes == frame(protocol::kExitConfigText)) {
        due(frameBytes, now);
    } else if (frameBytes == frame(protocol::kReadRequestText)) {
        due(frameBytes, now);
        auto at = now;
        for (const auto& [row, data] : rows) {
            at += pace;
            Bytes record(protocol::kRecordPrefix.begin(), protocol::kRecordPrefix.end());
            record.push_back(static_cast<std::uint8_t>(row));
            record.insert(record.end(), data.begin(), data.end());
            due(std::move(record), at);
        }
        due(frame(protocol::kReadCompleteText), at + pace);
    }
    return true;
}

bool ScriptedLine::read(Bytes& into, Millis within) {
    if (lost_) return false;
    const auto deadline = SteadyClock::now() + within;
    if (pending_.empty() || pending_.front().first > deadline) {
        std::this_thread::sleep_until(deadline);
        return true;
    }
    std::this_thread::sleep_until(pending_.front().first);
    // Everything due by now arrives together, as bytes queued on a port do.
    const auto now = SteadyClock::now();
    while (!pending_.empty() && pending_.front().first <= now) {
        into.insert(into.end(), pending_.front().second.begin(), pending_.front().second.end());
        pending_.pop_front();
    }
    return true;
}

}  // namespace veltrano::module::test
