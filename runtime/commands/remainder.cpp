#include "runtime/commands/remainder.h"

#include <cmath>

namespace veltrano::commands {

std::optional<double> Remainder(std::span<const double> values) noexcept {
    if (values.empty()) return 0.0;
    double result = values.front();
    for (const double divisor : values.subspan(1)) {
        if (!(divisor < 0.0 || divisor > 0.0)) return std::nullopt;
        result = std::fmod(result, divisor);
    }
    return result;
}

}  // namespace veltrano::commands
