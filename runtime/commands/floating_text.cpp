#include "runtime/commands/floating_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace veltrano::commands {
namespace {

// Room for the 309 integer digits of the largest double plus the fraction.
constexpr std::size_t kIntegerRoom = 330;

std::string toChars(double magnitude, std::chars_format style, int precision) {
    std::string buffer(kIntegerRoom + static_cast<std::size_t>(precision), '\0');
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude, style, precision);
    if (result.ec != std::errc{}) return {};
    buffer.resize(static_cast<std::size_t>(result.ptr - buffer.data()));
    return buffer;
}

int decimalExponent(const std::string& scientific) {
    const std::size_t mark = scientific.find('e');
    if (mark == std::string::npos) return 0;
    return std::atoi(scientific.c_str() + mark + 1);
}

void stripTrailingZeros(std::string& digits) {
    const std::size_t point = digits.find('.');
    if (point == std::string::npos) return;
    const std::size_t exponent = std::min(digits.find('e'), digits.size());
    std::size_t end = exponent;
    while (end > point + 1 && digits[end - 1] == '0') --end;
    if (end == point + 1) --end;
    digits.erase(end, exponent - end);
}

void ensureDecimalPoint(std::string& digits) {
    if (digits.find('.') != std::string::npos) return;
    digits.insert(std::min(digits.find('e'), digits.size()), 1, '.');
}

std::string generalDigits(double magnitude, int precision, bool alternate) {
    const int significant = precision == 0 ? 1 : precision;
    const int exponent =
        magnitude == 0.0 ? 0 : decimalExponent(toChars(magnitude, std::chars_format::scientific, significant - 1));
    std::string digits = (exponent < significant && exponent >= -4)
                             ? toChars(magnitude, std::chars_format::fixed, significant - 1 - exponent)
                             : toChars(magnitude, std::chars_format::scientific, significant - 1);
    if (!alternate) stripTrailingZeros(digits);
    return digits;
}

}  // namespace

std::string floatingDigits(double value, const FloatFormat& format) {
    const int precision = std::clamp(format.precision, 0, kMaxFloatPrecision);
    const double magnitude = std::fabs(value);
    std::string digits;
    if (std::isnan(value)) {
        digits = "nan";
    } else if (std::isinf(value)) {
        digits = "inf";
    } else {
        switch (format.style) {
            case FloatStyle::Fixed: digits = toChars(magnitude, std::chars_format::fixed, precision); break;
            case FloatStyle::Scientific: digits = toChars(magnitude, std::chars_format::scientific, precision); break;
            case FloatStyle::General: digits = generalDigits(magnitude, precision, format.alternate); break;
        }
        if (format.alternate) ensureDecimalPoint(digits);
    }
    if (format.upperCase) {
        std::transform(digits.begin(), digits.end(), digits.begin(),
                       [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - ('a' - 'A')) : c; });
    }
    return digits;
}

std::string generalText(double value, int significantDigits) {
    std::string digits = floatingDigits(value, {FloatStyle::General, significantDigits, false, false});
    if (std::signbit(value) && !std::isnan(value)) digits.insert(0, 1, '-');
    return digits;
}

}  // namespace veltrano::commands
