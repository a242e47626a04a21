#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <span>

namespace veltrano {

// The most arguments a DLL command of this program takes.
inline constexpr std::size_t kMaxDllArguments = 8;

struct DllCallOutcome {
    std::uintptr_t value = 0;  // the accumulator as the function left it
    // False when the stack pointer did not come back where it was: the
    // function was declared with another argument count or convention.
    bool stackIntact = true;
};

// Calls a standard-call function with its arguments as machine words, first
// argument first. On 32-bit x86 the stack pointer is compared across the
// call; elsewhere the caller owns the stack and the check always holds.
// More than kMaxDllArguments arguments are not passed; the outcome is then
// a broken stack, as for any other mismatch.
DllCallOutcome callStandardCall(FARPROC function, std::span<const std::uintptr_t> arguments);

}  // namespace veltrano
