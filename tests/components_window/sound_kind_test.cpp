#include "components/window/sound_kind.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace veltrano {
namespace {

using namespace std::string_view_literals;

std::vector<std::uint8_t> bytesOf(std::string_view text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

const std::vector<std::uint8_t> kWave = bytesOf("RIFF\x24\0\0\0WAVEfmt "sv);
const std::vector<std::uint8_t> kMidi = bytesOf("MThd\0\0\0\x06"sv);

TEST(SoundKinds, WaveNeedsBothTagsAndTwelveBytes) {
    EXPECT_EQ(soundKind(kWave), SoundKind::Wave);
    EXPECT_EQ(soundKind(bytesOf("RIFF\0\0\0\0WAVE"sv)), SoundKind::Wave);
    EXPECT_EQ(soundKind(bytesOf("RIFF\0\0\0\0WAV"sv)), SoundKind::None);
    EXPECT_EQ(soundKind(bytesOf("RIFF\0\0\0\0AVI LIST"sv)), SoundKind::None);
    EXPECT_EQ(soundKind(bytesOf("RIFX\0\0\0\0WAVEfmt "sv)), SoundKind::None);
}

TEST(SoundKinds, MidiNeedsItsHeaderTagAndFiveBytes) {
    EXPECT_EQ(soundKind(kMidi), SoundKind::Midi);
    EXPECT_EQ(soundKind(bytesOf("MThd\0"sv)), SoundKind::Midi);
    EXPECT_EQ(soundKind(bytesOf("MThd"sv)), SoundKind::None);
    EXPECT_EQ(soundKind(bytesOf("MTrk\0\0\0\0"sv)), SoundKind::None);
    EXPECT_EQ(soundKind({}), SoundKind::None);
}

TEST(SoundPlans, ModeZeroLoopsAndModeOnePlaysOnce) {
    const SoundPlan looping = backgroundSoundPlan(kWave, 0, false);
    EXPECT_EQ(looping.kind, SoundKind::Wave);
    EXPECT_TRUE(looping.loop);
    const SoundPlan once = backgroundSoundPlan(kMidi, 1, false);
    EXPECT_EQ(once.kind, SoundKind::Midi);
    EXPECT_FALSE(once.loop);
}

TEST(SoundPlans, ModeTwoNeverPlays) {
    EXPECT_EQ(backgroundSoundPlan(kWave, 2, false).kind, SoundKind::None);
    EXPECT_EQ(backgroundSoundPlan(kMidi, 2, false).kind, SoundKind::None);
}

TEST(SoundPlans, NothingPlaysInDesignModeOrForUnknownBytes) {
    EXPECT_EQ(backgroundSoundPlan(kWave, 0, true).kind, SoundKind::None);
    EXPECT_EQ(backgroundSoundPlan(bytesOf("ID3\x03\0\0\0\0"sv), 0, false).kind, SoundKind::None);
    EXPECT_EQ(backgroundSoundPlan(kWave, -1, false).kind, SoundKind::None);
}

}  // namespace
}  // namespace veltrano
