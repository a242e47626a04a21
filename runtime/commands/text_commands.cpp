#include "runtime/commands/text_commands.h"

#include <algorithm>
#include <limits>

#include "runtime/commands/gbk_characters.h"

namespace veltrano::commands {
namespace {

std::size_t clampedCount(std::int32_t n, std::size_t available) noexcept {
    if (n <= 0) return 0;
    const auto wanted = static_cast<std::size_t>(n);
    return wanted < available ? wanted : available;
}

// Calls visit(position, length) for each character of the text that is not
// a space, half- or full-width.
template <typename Visit>
void forEachNonSpace(std::string_view body, Visit visit) {
    std::size_t position = 0;
    while (position < body.size()) {
        const std::size_t space = gbk::spaceLength(body, position);
        if (space != 0) {
            position += space;
            continue;
        }
        const std::size_t length = gbk::characterLength(body, position);
        visit(position, length);
        position += length;
    }
}

}  // namespace

std::int32_t TextLength(std::string_view text) noexcept {
    constexpr auto kMax = static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());
    return static_cast<std::int32_t>(text.size() < kMax ? text.size() : kMax);
}

std::string LeftText(std::string_view text, std::int32_t n) {
    return std::string(text.substr(0, clampedCount(n, text.size())));
}

std::string RightText(std::string_view text, std::int32_t n) {
    const std::size_t count = clampedCount(n, text.size());
    return std::string(text.substr(text.size() - count));
}

std::string MidText(std::string_view text, std::int32_t start, std::int32_t n) {
    const std::int64_t offset = static_cast<std::int64_t>(start) - 1;
    if (offset < 0 || static_cast<std::uint64_t>(offset) >= text.size()) return {};
    const auto from = static_cast<std::size_t>(offset);
    return std::string(text.substr(from, clampedCount(n, text.size() - from)));
}

std::int32_t CharCode(std::string_view text, std::int32_t position) noexcept {
    if (position < 1 || static_cast<std::size_t>(position) > text.size()) return 0;
    return static_cast<signed char>(text[static_cast<std::size_t>(position) - 1]);
}

std::string BlankText(std::int32_t n) {
    if (n < 1) return {};
    return std::string(static_cast<std::size_t>(n), ' ');
}

std::string ToUpper(std::string_view text) {
    std::string result(text);
    std::size_t position = 0;
    while (position < result.size()) {
        const std::size_t length = gbk::characterLength(result, position);
        if (length == 1) result[position] = gbk::asciiUpper(result[position]);
        position += length;
    }
    return result;
}

std::string TrimBoth(std::string_view text) {
    const std::string_view body = gbk::withoutLoneLeadByte(text);
    std::size_t first = body.size();
    std::size_t end = 0;
    forEachNonSpace(body, [&](std::size_t position, std::size_t length) {
        first = std::min(first, position);
        end = position + length;
    });
    if (first >= end) return {};
    return std::string(body.substr(first, end - first));
}

std::string RemoveSpaces(std::string_view text) {
    const std::string_view body = gbk::withoutLoneLeadByte(text);
    std::string result;
    result.reserve(body.size());
    forEachNonSpace(body,
                    [&](std::size_t position, std::size_t length) { result.append(body.substr(position, length)); });
    return result;
}

std::string HexText(std::int32_t value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    auto bits = static_cast<std::uint32_t>(value);
    std::string reversed;
    do {
        reversed.push_back(kDigits[bits & 0xFu]);
        bits >>= 4;
    } while (bits != 0);
    return std::string(reversed.rbegin(), reversed.rend());
}

}  // namespace veltrano::commands
