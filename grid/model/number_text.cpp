#include "grid/model/number_text.h"

#include <array>
#include <charconv>
#include <limits>

namespace veltrano::grid {
namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Fixed notation of the largest double with nine decimals fits easily.
constexpr std::size_t kNumberBufferSize = 400;

}  // namespace

std::string_view withoutLeadingSpace(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && isSpace(text[start])) {
        ++start;
    }
    return text.substr(start);
}

double leadingNumber(std::string_view text) {
    std::string_view rest = withoutLeadingSpace(text);
    bool negative = false;
    if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
        negative = rest.front() == '-';
        rest.remove_prefix(1);
        // A second sign is no number at all.
        if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
            return 0.0;
        }
    }
    double value = 0.0;
    const auto result = std::from_chars(rest.data(), rest.data() + rest.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Saturate as the C library does: a huge exponent gives infinity, a
        // tiny one zero.
        const std::string_view consumed(rest.data(), static_cast<std::size_t>(result.ptr - rest.data()));
        const auto exponent = consumed.find_first_of("eE");
        const bool tiny =
            exponent != std::string_view::npos && exponent + 1 < consumed.size() && consumed[exponent + 1] == '-';
        value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    } else if (result.ec != std::errc{}) {
        return 0.0;
    }
    return negative ? -value : value;
}

std::string formatFixed(double value, std::int32_t decimals) {
    std::array<char, kNumberBufferSize> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc{}) {
        return {};
    }
    return std::string(buffer.data(), result.ptr);
}

std::string formatGeneral(double value, std::int32_t precision) {
    std::array<char, kNumberBufferSize> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::general, precision);
    if (result.ec != std::errc{}) {
        return {};
    }
    return std::string(buffer.data(), result.ptr);
}

}  // namespace veltrano::grid
