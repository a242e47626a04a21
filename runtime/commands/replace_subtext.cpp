#include "runtime/commands/replace_subtext.h"

#include "runtime/commands/gbk_characters.h"

namespace veltrano::commands {
namespace {

// Compares search with the same number of bytes of text from position,
// character by character as the search text is built; a lead byte at the end
// of the search text has no partner and compares as a plain byte.
bool matchesIgnoringCase(std::string_view text, std::size_t position, std::string_view search) noexcept {
    std::size_t offset = 0;
    while (offset < search.size()) {
        const char wanted = search[offset];
        const char found = text[position + offset];
        if (gbk::isLeadByte(wanted) && offset + 1 < search.size()) {
            if (!gbk::isLeadByte(found)) return false;
            if (gbk::foldedDoubleByte(wanted, search[offset + 1]) !=
                gbk::foldedDoubleByte(found, text[position + offset + 1])) {
                return false;
            }
            offset += 2;
            continue;
        }
        if (gbk::asciiUpper(wanted) != gbk::asciiUpper(found)) return false;
        ++offset;
    }
    return true;
}

bool matchesAt(std::string_view text, std::size_t position, std::string_view search, bool caseSensitive) noexcept {
    if (caseSensitive) return text.compare(position, search.size(), search) == 0;
    return matchesIgnoringCase(text, position, search);
}

}  // namespace

std::string ReplaceSubtext(std::string_view text, std::string_view search, const ReplaceArguments& arguments) {
    const std::int64_t startIndex = arguments.start.value_or(1) - std::int64_t{1};
    const std::uint64_t from = startIndex < 0 ? 0 : static_cast<std::uint64_t>(startIndex);
    std::int32_t remaining = arguments.count.value_or(-1);
    if (text.empty() || search.empty() || from >= text.size() || remaining == 0) return std::string(text);

    std::size_t position = static_cast<std::size_t>(from);
    std::string result(text.substr(0, position));
    while (text.size() - position >= search.size()) {
        if (matchesAt(text, position, search, arguments.caseSensitive)) {
            result.append(arguments.replacement);
            position += search.size();
            if (remaining == 1) break;
            if (remaining > 1) --remaining;
            continue;
        }
        if (gbk::isLeadByte(text[position]) && position + 1 == text.size()) break;
        const std::size_t length = gbk::characterLength(text, position);
        result.append(text.substr(position, length));
        position += length;
    }
    result.append(text.substr(position));
    return result;
}

}  // namespace veltrano::commands
