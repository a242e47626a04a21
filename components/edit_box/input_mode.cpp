#include "components/edit_box/input_mode.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

namespace veltrano::edit_input {
namespace {

bool isDigit(std::uint32_t character) noexcept {
    return character >= '0' && character <= '9';
}

bool isSpace(char c) noexcept {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string printed(const char* format, auto value) {
    char buffer[64];
    const int length = std::snprintf(buffer, sizeof buffer, format, value);
    if (length <= 0) return {};
    return std::string(buffer, static_cast<std::size_t>(std::min<int>(length, sizeof buffer - 1)));
}

std::int64_t clamped(std::int64_t value, std::int64_t low, std::int64_t high) noexcept {
    return value < low ? low : (value > high ? high : value);
}

// The longest prefix that reads as a decimal number, after white space.
double parseReal(std::string_view text) noexcept {
    std::size_t position = 0;
    while (position < text.size() && isSpace(text[position])) ++position;
    const std::size_t start = position;
    if (position < text.size() && (text[position] == '-' || text[position] == '+')) ++position;
    const std::size_t digitsStart = position;
    while (position < text.size() && isDigit(static_cast<unsigned char>(text[position]))) ++position;
    if (position < text.size() && text[position] == '.') {
        ++position;
        while (position < text.size() && isDigit(static_cast<unsigned char>(text[position]))) ++position;
    }
    if (position == digitsStart || (position == digitsStart + 1 && text[digitsStart] == '.')) return 0.0;
    if (position < text.size() && (text[position] == 'e' || text[position] == 'E')) {
        std::size_t exponent = position + 1;
        if (exponent < text.size() && (text[exponent] == '-' || text[exponent] == '+')) ++exponent;
        if (exponent < text.size() && isDigit(static_cast<unsigned char>(text[exponent]))) {
            while (exponent < text.size() && isDigit(static_cast<unsigned char>(text[exponent]))) ++exponent;
            position = exponent;
        }
    }
    std::size_t numberStart = start;
    if (text[numberStart] == '+') ++numberStart;
    double value = 0.0;
    const auto result = std::from_chars(text.data() + numberStart, text.data() + position, value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large: the largest finite value of the sign; too small: zero.
        const bool negative = text[start] == '-';
        const bool tiny = value == 0.0 || std::fabs(value) < 1.0;
        if (tiny) return 0.0;
        return negative ? -std::numeric_limits<double>::max() : std::numeric_limits<double>::max();
    }
    return value;
}

bool validDate(const DateTimeParts& p) noexcept {
    if (p.year < 100 || p.year > 9999 || p.month < 1 || p.month > 12 || p.day < 1) return false;
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int days = kDays[p.month - 1];
    const bool leap = (p.year % 4 == 0 && p.year % 100 != 0) || p.year % 400 == 0;
    if (p.month == 2 && leap) days = 29;
    return p.day <= days && p.hour >= 0 && p.hour < 24 && p.minute >= 0 && p.minute < 60 && p.second >= 0 &&
           p.second < 60;
}

std::string dateTimeText(const DateTimeParts& p) {
    // "年月日时分秒" in code page 936.
    constexpr const char* kYear = "\xC4\xEA";
    constexpr const char* kMonth = "\xD4\xC2";
    constexpr const char* kDay = "\xC8\xD5";
    constexpr const char* kHour = "\xCA\xB1";
    constexpr const char* kMinute = "\xB7\xD6";
    constexpr const char* kSecond = "\xC3\xEB";
    std::string text = std::to_string(p.year) + kYear + std::to_string(p.month) + kMonth + std::to_string(p.day) + kDay;
    if (p.second != 0) {
        text +=
            std::to_string(p.hour) + kHour + std::to_string(p.minute) + kMinute + std::to_string(p.second) + kSecond;
    } else if (p.minute != 0) {
        text += std::to_string(p.hour) + kHour + std::to_string(p.minute) + kMinute;
    } else if (p.hour != 0) {
        text += std::to_string(p.hour) + kHour;
    }
    return text;
}

}  // namespace

bool typingAllowed(std::int32_t mode, std::uint32_t character) noexcept {
    if (character < 32) return true;
    switch (static_cast<InputMode>(mode)) {
        case InputMode::IntegerText:
        case InputMode::Short:
        case InputMode::Integer:
        case InputMode::Long: return character == '-' || isDigit(character);
        case InputMode::DecimalText:
        case InputMode::Single:
        case InputMode::Double: return character == '-' || character == '.' || isDigit(character);
        case InputMode::Byte: return isDigit(character);
        default: return true;
    }
}

std::int64_t parseInteger(std::string_view text) noexcept {
    std::size_t position = 0;
    while (position < text.size() && isSpace(text[position])) ++position;
    bool negative = false;
    if (position < text.size() && (text[position] == '-' || text[position] == '+')) {
        negative = text[position] == '-';
        ++position;
    }
    // Accumulate as a negative number so the most negative value fits.
    constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
    std::int64_t value = 0;
    bool saturated = false;
    for (; position < text.size() && isDigit(static_cast<unsigned char>(text[position])); ++position) {
        const int digit = text[position] - '0';
        if (value < (kMin + digit) / 10) {
            saturated = true;
            continue;
        }
        value = value * 10 - digit;
    }
    if (saturated) return negative ? kMin : std::numeric_limits<std::int64_t>::max();
    if (negative) return value;
    return value == kMin ? std::numeric_limits<std::int64_t>::max() : -value;
}

std::optional<DateTimeParts> parseDateTime(std::string_view text) noexcept {
    std::int32_t numbers[6] = {};
    std::size_t count = 0;
    std::size_t position = 0;
    while (position < text.size() && count < 6) {
        if (!isDigit(static_cast<unsigned char>(text[position]))) {
            ++position;
            continue;
        }
        std::int64_t value = 0;
        while (position < text.size() && isDigit(static_cast<unsigned char>(text[position]))) {
            if (value < 100000) value = value * 10 + (text[position] - '0');
            ++position;
        }
        numbers[count++] = static_cast<std::int32_t>(value);
    }
    if (count < 3) return std::nullopt;
    const DateTimeParts parts{numbers[0], numbers[1], numbers[2], numbers[3], numbers[4], numbers[5]};
    if (!validDate(parts)) return std::nullopt;
    return parts;
}

std::string normalisedText(std::int32_t mode, std::string_view text) {
    std::string result;
    switch (static_cast<InputMode>(mode)) {
        case InputMode::Byte: result = std::to_string(clamped(parseInteger(text), 0, 255)); break;
        case InputMode::Short: result = std::to_string(clamped(parseInteger(text), -32768, 32767)); break;
        case InputMode::Integer:
            result = std::to_string(clamped(parseInteger(text), std::numeric_limits<std::int32_t>::min(),
                                            std::numeric_limits<std::int32_t>::max()));
            break;
        case InputMode::Long: result = std::to_string(parseInteger(text)); break;
        case InputMode::Single: {
            const double value = parseReal(text);
            constexpr double kFloatMax = std::numeric_limits<float>::max();
            const float single =
                static_cast<float>(value > kFloatMax ? kFloatMax : (value < -kFloatMax ? -kFloatMax : value));
            result = printed("%.6g", static_cast<double>(single) + 0.0);
            break;
        }
        case InputMode::Double: result = printed("%.13g", parseReal(text) + 0.0); break;
        case InputMode::DateTime: {
            const auto parts = parseDateTime(text);
            // The zero date-time (30 December 1899, midnight) shows as nothing.
            if (!parts || (parts->year == 1899 && parts->month == 12 && parts->day == 30 && parts->hour == 0 &&
                           parts->minute == 0 && parts->second == 0)) {
                return {};
            }
            return dateTimeText(*parts);
        }
        default: return std::string(text);
    }
    if (result == "0") result.clear();
    return result;
}

}  // namespace veltrano::edit_input
