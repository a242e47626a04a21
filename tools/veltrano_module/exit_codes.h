#pragma once

namespace veltrano::module {

inline constexpr int kExitDone = 0;
inline constexpr int kExitDifferences = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitPort = 3;
inline constexpr int kExitNoAnswer = 4;
// The work was done but what it printed could not be written.
inline constexpr int kExitOutput = 5;
// What shells report for a program ended by Ctrl-C.
inline constexpr int kExitInterrupted = 130;

}  // namespace veltrano::module
