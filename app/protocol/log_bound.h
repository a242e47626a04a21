#pragma once

#include <cstddef>
#include <string_view>

namespace veltrano::protocol {

// The log box keeps the most recent part of the session: once its text
// passes kLogLimitBytes, whole oldest lines are dropped until at most
// kLogKeptBytes are left. The newest line is always kept whole, however
// long it is.
inline constexpr std::size_t kLogLimitBytes = 256 * 1024;
inline constexpr std::size_t kLogKeptBytes = 192 * 1024;

// How many bytes to drop from the front of log (code page 936 text whose
// lines end in "\r\n") so that what is left starts at a line and holds at
// most keep bytes where whole lines allow; 0 when it already does.
std::size_t oldestLinesToDrop(std::string_view log, std::size_t keep);

}  // namespace veltrano::protocol
