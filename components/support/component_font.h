#pragma once

#include <windows.h>

#include <cstdint>
#include <span>

#include "runtime/kernel/unique_handle.h"

namespace veltrano::drawing {

// The font a component's font bytes describe: exactly 60 bytes are a
// logical-font record; anything else (or a record the system refuses) gives
// no font, and the component uses the default GUI font.
win::UniqueFont fontFromBytes(std::span<const std::uint8_t> bytes);

// The font to select: the component's own, or the default GUI font.
HFONT fontOrDefault(const win::UniqueFont& font) noexcept;

}  // namespace veltrano::drawing
