#include "tools/module_sim/output_schedule.h"

#include <algorithm>
#include <utility>

namespace veltrano::modulesim {

OutputSchedule::OutputSchedule(OutputSettings settings, TimePoint now)
    : settings_(settings), lastWrite_(now), random_(settings.seed) {
    planNextNoise(now);
}

void OutputSchedule::enqueue(Bytes bytes, Millis delay, std::string kind, TimePoint now) {
    if (bytes.empty()) {
        return;
    }
    if (!settings_.split) {
        queue_.push_back(Timed{now + delay, delay, Chunk{std::move(bytes), std::move(kind), true}});
        return;
    }
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const Millis gap = i == 0 ? delay : settings_.splitGap;
        queue_.push_back(Timed{now + delay, gap, Chunk{Bytes{bytes[i]}, kind, i + 1 == bytes.size()}});
    }
}

TimePoint OutputSchedule::dueOf(const Timed& timed) const {
    TimePoint due = std::max(timed.notBefore, lastWrite_ + timed.delay);
    if (lastWasNoise_) {
        due = std::max(due, lastWrite_ + settings_.noiseClearance);
    }
    return due;
}

std::optional<TimePoint> OutputSchedule::nextDue() const {
    if (!queue_.empty()) {
        return dueOf(queue_.front());
    }
    if (settings_.noise) {
        return std::max(nextNoise_, lastWrite_ + settings_.noiseClearance);
    }
    return std::nullopt;
}

std::deque<Chunk> OutputSchedule::takeDue(TimePoint now) {
    std::deque<Chunk> due;
    while (!queue_.empty() && dueOf(queue_.front()) <= now) {
        due.push_back(std::move(queue_.front().chunk));
        queue_.pop_front();
        lastWrite_ = now;
        lastWasNoise_ = false;
    }
    if (settings_.noise && queue_.empty() && due.empty() && now >= nextNoise_ &&
        now >= lastWrite_ + settings_.noiseClearance) {
        due.push_back(Chunk{noiseBurst(), "noise", true});
        lastWrite_ = now;
        lastWasNoise_ = true;
        planNextNoise(now);
    }
    return due;
}

void OutputSchedule::clear() {
    queue_.clear();
}

Bytes OutputSchedule::noiseBurst() {
    std::uniform_int_distribution<int> length(1, 6);
    std::uniform_int_distribution<int> value(0, 255);
    Bytes burst(static_cast<std::size_t>(length(random_)));
    for (auto& byte : burst) {
        byte = static_cast<std::uint8_t>(value(random_));
    }
    // Never the first byte of a frame the program acts on: a burst must not
    // pass for an echo or a record.
    while (burst[0] == 0xAD || burst[0] == 0xDA || burst[0] == 0xFA) {
        burst[0] = static_cast<std::uint8_t>(value(random_));
    }
    return burst;
}

void OutputSchedule::planNextNoise(TimePoint after) {
    const auto interval = settings_.noiseInterval.count();
    std::uniform_int_distribution<long long> spread(interval / 2, interval + interval / 2);
    nextNoise_ = after + Millis{spread(random_)};
}

}  // namespace veltrano::modulesim
