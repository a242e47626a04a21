#pragma once

#include <cstdint>

namespace veltrano::classdata {

// Colours are 0x00BBGGRR. This value stands for the system default and is
// drawn as the system button-face colour.
inline constexpr std::uint32_t kSystemDefaultColor = 0xFF000000;
// Stands for the system highlight colour, which only the window system knows;
// the grid resolves it when it creates its control.
inline constexpr std::uint32_t kSystemHighlightColor = 0x7F00000D;

}  // namespace veltrano::classdata
