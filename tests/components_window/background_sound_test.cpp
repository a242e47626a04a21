#include <windows.h>
#include <gtest/gtest.h>
#include <mmsystem.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "tests/components_window/form_fixture.h"

namespace veltrano::test {
namespace {

using classdata::WindowData;
namespace property = window_property;

// A quarter second of silence, 8-bit mono at 8 kHz.
std::vector<std::uint8_t> silentWave() {
    constexpr std::uint32_t samples = 2000;
    std::vector<std::uint8_t> bytes;
    for (char c : std::string("RIFF")) bytes.push_back(static_cast<std::uint8_t>(c));
    putLittleEndian(bytes, 36 + samples, 4);
    for (char c : std::string("WAVEfmt ")) bytes.push_back(static_cast<std::uint8_t>(c));
    putLittleEndian(bytes, 16, 4);
    putLittleEndian(bytes, 1, 2);
    putLittleEndian(bytes, 1, 2);
    putLittleEndian(bytes, 8000, 4);
    putLittleEndian(bytes, 8000, 4);
    putLittleEndian(bytes, 1, 2);
    putLittleEndian(bytes, 8, 2);
    for (char c : std::string("data")) bytes.push_back(static_cast<std::uint8_t>(c));
    putLittleEndian(bytes, samples, 4);
    bytes.insert(bytes.end(), samples, 0x80);
    return bytes;
}

// One track that ends at once.
std::vector<std::uint8_t> emptyMidi() {
    return {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 0x60, 'M', 'T', 'r', 'k', 0, 0, 0, 4, 0, 0xFF, 0x2F, 0};
}

// The temporary files the window's MIDI playing leaves in the temporary
// folder.
std::set<std::wstring> sequencerFiles() {
    wchar_t folder[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, folder);
    std::set<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((std::wstring(folder) + L"kvm*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        names.insert(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

class BackgroundSoundTest : public FormTest {
protected:
    void writeBytes(WindowObject* form, int index, const std::vector<std::uint8_t>& bytes) {
        write(form, index, RawValue{addressWord(bytes.data()), static_cast<std::uint32_t>(bytes.size())});
    }
    // Whether this system plays wave data from memory at all.
    static bool systemPlaysWaves(const std::vector<std::uint8_t>& wave) {
        const bool played =
            PlaySoundW(reinterpret_cast<LPCWSTR>(wave.data()), nullptr, SND_MEMORY | SND_SYNC | SND_NODEFAULT) != FALSE;
        return played;
    }
};

TEST_F(BackgroundSoundTest, PlayModeTwoNeverPlays) {
    const std::vector<std::uint8_t> wave = silentWave();
    WindowData data;
    data.BackSound = wave;
    data.SoundPlayMode = 2;
    CWinFormUnit* form = createForm(data);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->soundPlaying(), SoundKind::None);
    writeBytes(form, property::kBackSound, wave);
    EXPECT_EQ(form->soundPlaying(), SoundKind::None);
    writeBytes(form, property::kBackSound, emptyMidi());
    EXPECT_EQ(form->soundPlaying(), SoundKind::None);
    EXPECT_EQ(sequencerFiles().size(), 0u) << "nothing to play, nothing written";
}

TEST_F(BackgroundSoundTest, WaveDataPlaysFromMemoryAndStopsWithModeTwo) {
    const std::vector<std::uint8_t> wave = silentWave();
    if (!systemPlaysWaves(wave)) GTEST_SKIP() << "this system has no wave output";
    WindowData data;
    data.BackSound = wave;
    CWinFormUnit* form = createForm(data);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->soundPlaying(), SoundKind::Wave);
    write(form, property::kSoundPlayMode, RawValue{2, 0});
    EXPECT_EQ(form->soundPlaying(), SoundKind::None);
    write(form, property::kSoundPlayMode, RawValue{1, 0});
    EXPECT_EQ(form->soundPlaying(), SoundKind::Wave);
}

TEST_F(BackgroundSoundTest, BytesOfNoKnownKindDoNotPlay) {
    WindowData data;
    data.BackSound = {'I', 'D', '3', 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    CWinFormUnit* form = createForm(data);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->soundPlaying(), SoundKind::None);
}

TEST_F(BackgroundSoundTest, MidiLeavesNoTemporaryFileBehind) {
    const std::set<std::wstring> before = sequencerFiles();
    WindowData data;
    data.BackSound = emptyMidi();
    CWinFormUnit* form = createForm(data);
    ASSERT_NE(form, nullptr);
    if (form->soundPlaying() == SoundKind::Midi) {
        EXPECT_EQ(sequencerFiles().size(), before.size() + 1) << "the sequencer plays from a file";
    } else {
        EXPECT_EQ(sequencerFiles(), before) << "a sequencer that would not open leaves no file";
    }
    write(form, property::kSoundPlayMode, RawValue{2, 0});
    EXPECT_EQ(sequencerFiles(), before);
    write(form, property::kSoundPlayMode, RawValue{0, 0});
    DestroyWindow(form->handle());
    EXPECT_EQ(sequencerFiles(), before) << "destroying the window stops its sound";
}

}  // namespace
}  // namespace veltrano::test
