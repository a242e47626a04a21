#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "tools/module_sim/clock.h"

namespace veltrano::modulesim {

using Bytes = std::vector<std::uint8_t>;

// Cuts the byte stream from the program into frames. Frames carry no length,
// and the line may hand them over in any pieces, so the shape decides:
//   - AD 66 66 66 66 .. .. .. ..   ends after 9 bytes (command frames);
//   - AD 66 77 88 66 + 14 bytes    ends after 19 bytes (port setting);
//   - everything else (slot frames AD BD 3D, the learn frame, typed codes,
//     garbage) ends at a quiet gap: no byte for `quietGap`.
// A slot frame's data may hold any byte, even ones that look like the start
// of another frame, so only silence can end it; the program waits 50 ms
// after every slot frame and at least that long after any other frame, so a
// gap of about 20 ms separates frames with room to spare while the bytes of
// one write arrive together. A fixed-size frame cut off by a quiet gap is
// closed there as it stands (a fragment) rather than swallowing the start of
// the next one. A frame growing past `maxFrameSize` is closed at that size
// so that a babbling line cannot take all memory.
// The gap is only seen when this process reads in time: on a loaded machine
// two frames can wait in the line together. The codes the program writes
// end with ED, so a slot frame whose data ends with ED directly followed by
// a slot header, a command frame's or a port-setting frame's first five
// bytes is taken as two frames.
class FrameAssembler {
public:
    explicit FrameAssembler(Millis quietGap, std::size_t maxFrameSize = 4096);

    // Takes bytes that arrived at `now`; returns the frames they completed,
    // in order, including one that a gap before them ended.
    std::vector<Bytes> feed(std::span<const std::uint8_t> bytes, TimePoint now);

    // The pending frame if the line has been quiet long enough at `now`.
    std::optional<Bytes> closeIfQuiet(TimePoint now);

    // When the pending frame will be closed by silence; nothing if none.
    std::optional<TimePoint> quietDeadline() const;

    // When the latest byte came: for a frame closeIfQuiet has just closed,
    // when the frame was on the line, not when the silence after it ended.
    TimePoint lastByteAt() const { return lastByte_; }

private:
    enum class Shape { Undecided, Command, PortSetting, UntilQuiet };

    Shape shapeOf() const;
    // How many bytes at the end of a pending slot frame begin the next frame
    // (after the code's end byte ED), 0 when none do.
    std::size_t nextFrameStartLength() const;
    std::optional<Bytes> takePending();

    Millis quietGap_;
    std::size_t maxFrameSize_;
    Bytes pending_;
    TimePoint lastByte_{};
};

}  // namespace veltrano::modulesim
