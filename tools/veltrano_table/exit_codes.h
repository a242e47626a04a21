#pragma once

namespace veltrano::tools {

inline constexpr int kExitOk = 0;
inline constexpr int kExitDamaged = 1;
inline constexpr int kExitUsage = 2;

}  // namespace veltrano::tools
