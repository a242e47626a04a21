#pragma once

#include <optional>
#include <span>

namespace veltrano::commands {

// ((a1 mod a2) mod a3) ..., each step the floating remainder with the
// dividend's sign. A divisor that is zero or not a number has no remainder:
// the result is empty and the caller reports system_text::kRemainderByZero
// as a fatal error. A single value is its own result, no value gives 0.
std::optional<double> Remainder(std::span<const double> values) noexcept;

}  // namespace veltrano::commands
