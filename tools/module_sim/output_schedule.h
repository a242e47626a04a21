#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <random>
#include <string>

#include "tools/module_sim/clock.h"
#include "tools/module_sim/frame_assembler.h"

namespace veltrano::modulesim {

struct OutputSettings {
    // Fault: every frame goes out one byte per write, `splitGap` apart.
    bool split = false;
    Millis splitGap{2};
    // Fault: bursts of random bytes on an idle line, about `noiseInterval`
    // apart, kept `noiseClearance` away from real frames so each burst reaches
    // the program as a read of its own.
    bool noise = false;
    Millis noiseInterval{250};
    Millis noiseClearance{30};
    std::uint32_t seed = 1;
};

// One write to the line.
struct Chunk {
    Bytes bytes;
    std::string kind;
    // The last chunk of a frame (always true unless split).
    bool frameEnd = true;
};

// Orders what the module sends: each reply goes out no sooner than its delay
// after the previous write actually went out, and no sooner than its delay
// after it was queued. Spacing counts from real writes, so a late write never
// brings the next one closer to it than its delay.
class OutputSchedule {
public:
    OutputSchedule(OutputSettings settings, TimePoint now);

    void enqueue(Bytes bytes, Millis delay, std::string kind, TimePoint now);

    // When the next chunk (or noise burst) is due; nothing if the line stays
    // quiet until something is queued.
    std::optional<TimePoint> nextDue() const;

    // The chunks due at `now`, in order, noise included.
    std::deque<Chunk> takeDue(TimePoint now);

    void clear();

private:
    struct Timed {
        TimePoint notBefore;
        Millis delay;
        Chunk chunk;
    };

    TimePoint dueOf(const Timed& timed) const;

    Bytes noiseBurst();
    void planNextNoise(TimePoint after);

    OutputSettings settings_;
    std::deque<Timed> queue_;
    TimePoint lastWrite_;
    bool lastWasNoise_ = false;
    TimePoint nextNoise_;
    std::mt19937 random_;
};

}  // namespace veltrano::modulesim
