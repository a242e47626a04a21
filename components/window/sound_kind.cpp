#include "components/window/sound_kind.h"

#include <algorithm>
#include <string_view>

namespace veltrano {
namespace {

bool tagAt(std::span<const std::uint8_t> bytes, std::size_t offset, std::string_view tag) noexcept {
    if (offset > bytes.size() || bytes.size() - offset < tag.size()) return false;
    return std::equal(tag.begin(), tag.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                      [](char expected, std::uint8_t actual) { return static_cast<std::uint8_t>(expected) == actual; });
}

}  // namespace

SoundKind soundKind(std::span<const std::uint8_t> bytes) noexcept {
    if (bytes.size() > 11 && tagAt(bytes, 0, "RIFF") && tagAt(bytes, 8, "WAVE")) return SoundKind::Wave;
    if (bytes.size() > 4 && tagAt(bytes, 0, "MThd")) return SoundKind::Midi;
    return SoundKind::None;
}

SoundPlan backgroundSoundPlan(std::span<const std::uint8_t> bytes, int playMode, bool designMode) noexcept {
    if (designMode || (playMode != 0 && playMode != 1)) return {};
    const SoundKind kind = soundKind(bytes);
    if (kind == SoundKind::None) return {};
    return SoundPlan{kind, playMode == 0};
}

}  // namespace veltrano
