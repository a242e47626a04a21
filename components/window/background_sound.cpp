#include "components/window/background_sound.h"

#include <mmsystem.h>

#include <algorithm>
#include <cstdint>

namespace veltrano {
namespace {

// A new temporary file holding `bytes`; empty when it cannot be written.
std::wstring writeTemporaryFile(std::span<const std::uint8_t> bytes) {
    wchar_t folder[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH, folder);
    if (length == 0 || length > MAX_PATH) return {};
    wchar_t path[MAX_PATH + 1] = {};
    if (GetTempFileNameW(folder, L"kvm", 0, path) == 0) return {};
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, nullptr);
    bool written = file != INVALID_HANDLE_VALUE;
    std::size_t offset = 0;
    while (written && offset < bytes.size()) {
        const std::size_t chunk = std::min<std::size_t>(bytes.size() - offset, 1u << 20);
        DWORD done = 0;
        written =
            WriteFile(file, bytes.data() + offset, static_cast<DWORD>(chunk), &done, nullptr) != FALSE && done == chunk;
        offset += chunk;
    }
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    if (!written) {
        DeleteFileW(path);
        return {};
    }
    return path;
}

}  // namespace

void BackgroundSound::start(std::span<const std::uint8_t> bytes, int playMode, bool designMode, HWND notifyWindow) {
    stop();
    const SoundPlan plan = backgroundSoundPlan(bytes, playMode, designMode);
    loop_ = plan.loop;
    bool started = false;
    if (plan.kind == SoundKind::Wave) {
        wave_.assign(bytes.begin(), bytes.end());
        started = startWave(plan.loop);
        if (!started) wave_.clear();
    } else if (plan.kind == SoundKind::Midi) {
        started = startMidi(bytes, notifyWindow);
    }
    playing_ = started ? plan.kind : SoundKind::None;
}

bool BackgroundSound::startWave(bool loop) {
    DWORD flags = SND_MEMORY | SND_ASYNC | SND_NODEFAULT;
    if (loop) flags |= SND_LOOP;
    return PlaySoundW(reinterpret_cast<LPCWSTR>(wave_.data()), nullptr, flags) != FALSE;
}

bool BackgroundSound::command(const std::wstring& text, HWND notifyWindow) const noexcept {
    return mciSendStringW(text.c_str(), nullptr, 0, notifyWindow) == 0;
}

bool BackgroundSound::startMidi(std::span<const std::uint8_t> bytes, HWND notifyWindow) {
    midiFile_ = writeTemporaryFile(bytes);
    if (midiFile_.empty()) return false;
    // One device alias per sound, so two windows' sounds never meet.
    alias_ = L"kvsound" + std::to_wstring(reinterpret_cast<std::uintptr_t>(this));
    notifyWindow_ = notifyWindow;
    if (!command(L"open \"" + midiFile_ + L"\" type sequencer alias " + alias_)) {
        alias_.clear();
        closeSequencer();
        return false;
    }
    if (!command(L"play " + alias_ + L" notify", notifyWindow_)) {
        closeSequencer();
        return false;
    }
    return true;
}

bool BackgroundSound::onSequencerNotice(WPARAM flags, LPARAM deviceId) {
    if (playing_ != SoundKind::Midi || alias_.empty()) return false;
    if (mciGetDeviceIDW(alias_.c_str()) != static_cast<MCIDEVICEID>(deviceId)) return false;
    if (flags != MCI_NOTIFY_SUCCESSFUL) return true;
    if (!loop_ || !command(L"play " + alias_ + L" from 0 notify", notifyWindow_)) {
        closeSequencer();
        playing_ = SoundKind::None;
    }
    return true;
}

void BackgroundSound::closeSequencer() noexcept {
    if (!alias_.empty()) {
        command(L"close " + alias_);
        alias_.clear();
    }
    if (!midiFile_.empty()) {
        DeleteFileW(midiFile_.c_str());
        midiFile_.clear();
    }
    notifyWindow_ = nullptr;
}

void BackgroundSound::stop() noexcept {
    if (playing_ == SoundKind::Wave) PlaySoundW(nullptr, nullptr, 0);
    closeSequencer();
    wave_.clear();
    playing_ = SoundKind::None;
    loop_ = false;
}

}  // namespace veltrano
