#pragma once

#include <string>

// Decimal forms of doubles by the printf rules for %f, %e and %g, produced
// from the standard library's exact decimal conversion, so the
// text is the same in every build. Exponents have at least two digits; a
// value exactly halfway between two results rounds to the even one.
namespace veltrano::commands {

enum class FloatStyle { Fixed, Scientific, General };

struct FloatFormat {
    FloatStyle style = FloatStyle::General;
    int precision = 6;       // 0 up to kMaxFloatPrecision
    bool alternate = false;  // '#': keep the decimal point, and for General the trailing zeros
    bool upperCase = false;  // E instead of e, INF and NAN instead of inf and nan
};

inline constexpr int kMaxFloatPrecision = 4096;

// The digits of the magnitude of value, without any sign; "inf" or "nan" for
// values that are not finite.
std::string floatingDigits(double value, const FloatFormat& format);

// value with at most significantDigits significant digits, as "%.Ng" gives.
std::string generalText(double value, int significantDigits);

}  // namespace veltrano::commands
