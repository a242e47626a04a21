#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "components/window/sound_kind.h"

namespace veltrano {

// A window's background sound. Wave data plays straight from memory; MIDI
// data goes through the system's sequencer, which only plays files, so it is
// written to a temporary file that lives exactly as long as the playing.
class BackgroundSound {
public:
    BackgroundSound() = default;
    BackgroundSound(const BackgroundSound&) = delete;
    BackgroundSound& operator=(const BackgroundSound&) = delete;
    ~BackgroundSound() { stop(); }

    // Stops what plays and starts the bytes by the plan. `notifyWindow`
    // receives the sequencer's end notices (MM_MCINOTIFY), which must be
    // handed to onSequencerNotice for a MIDI loop to start over.
    void start(std::span<const std::uint8_t> bytes, int playMode, bool designMode, HWND notifyWindow);
    void stop() noexcept;

    // True when the notice was this sound's.
    bool onSequencerNotice(WPARAM flags, LPARAM deviceId);

    // What is playing now (nothing when the system refused to play it).
    SoundKind playing() const noexcept { return playing_; }

private:
    bool startWave(bool loop);
    bool startMidi(std::span<const std::uint8_t> bytes, HWND notifyWindow);
    bool command(const std::wstring& text, HWND notifyWindow = nullptr) const noexcept;
    void closeSequencer() noexcept;

    SoundKind playing_ = SoundKind::None;
    bool loop_ = false;
    // Wave data must stay in place while the system plays it.
    std::vector<std::uint8_t> wave_;
    std::wstring midiFile_;
    std::wstring alias_;
    HWND notifyWindow_ = nullptr;
};

}  // namespace veltrano
