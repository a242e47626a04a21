#pragma once

#include <string>
#include <string_view>

namespace veltrano {

inline constexpr std::size_t kTrayTipMaxBytes = 62;

// A tray icon's tip text (code page 936) cut to at most 62 bytes. A
// double-byte character that would straddle the cut is left out whole, so
// the tip never ends in half a character.
std::string trayTip(std::string_view tip);

}  // namespace veltrano
