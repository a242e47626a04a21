#pragma once

#include <cstdint>
#include <span>

namespace veltrano {

enum class SoundKind { None, Wave, Midi };

// What a window's background sound bytes hold: a RIFF wave file, a standard
// MIDI file, or neither (which never plays).
SoundKind soundKind(std::span<const std::uint8_t> bytes) noexcept;

// What a window plays for its background sound: nothing in design mode, for
// play mode 2 or for bytes of no known kind; play mode 0 loops, 1 plays once.
struct SoundPlan {
    SoundKind kind = SoundKind::None;
    bool loop = false;
};
SoundPlan backgroundSoundPlan(std::span<const std::uint8_t> bytes, int playMode, bool designMode) noexcept;

}  // namespace veltrano
