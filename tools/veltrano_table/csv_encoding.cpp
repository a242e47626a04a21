#include "tools/veltrano_table/csv_encoding.h"

#include <algorithm>
#include <string_view>

#include "tools/veltrano_table/gbk_text.h"
#include "tools/veltrano_table/message_text.h"
#include "tools/veltrano_table/utf8_text.h"

namespace veltrano::tools {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigMark = "\xFE\xFF";

// Text holds no C0 control but tab, line feed and carriage return, and no
// DEL: a file with such bytes is binary, whatever else it decodes as.
bool isControl(char32_t c) {
    return (c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0x7F;
}

// Where the bytes stop being UTF-8 text; their size when they never do.
std::size_t utf8TextEnd(std::string_view bytes) {
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::size_t length = utf8CharacterLength(bytes, at);
        if (length == 0 || (length == 1 && isControl(static_cast<unsigned char>(bytes[at])))) {
            return at;
        }
        at += length;
    }
    return at;
}

// The length of the GBK character at bytes[at] by its lead and trail byte
// ranges, or 0; whether the code page assigns it a character is asked of
// the converter afterwards.
std::size_t gbkCharacterLength(std::string_view bytes, std::size_t at) {
    const auto lead = static_cast<unsigned char>(bytes[at]);
    if (lead < 0x80) {
        return isControl(lead) ? 0 : 1;
    }
    if (lead == 0x80) {
        return 1;  // the euro sign
    }
    if (lead == 0xFF || at + 1 >= bytes.size()) {
        return 0;
    }
    const auto trail = static_cast<unsigned char>(bytes[at + 1]);
    return trail >= 0x40 && trail != 0x7F && trail != 0xFF ? 2 : 0;
}

// The bytes as UTF-8 when they are GBK text; otherwise nothing, with `end`
// at the first byte that is not.
std::optional<std::string> gbkText(std::string_view bytes, std::size_t& end) {
    end = 0;
    while (end < bytes.size()) {
        const std::size_t length = gbkCharacterLength(bytes, end);
        if (length == 0) {
            return std::nullopt;
        }
        end += length;
    }
    if (auto text = gbkToUtf8(bytes)) {
        return text;
    }
    // Well formed, but a character the code page leaves unassigned: find it
    // one character at a time, which only a refused file pays for.
    for (end = 0; end < bytes.size(); end += gbkCharacterLength(bytes, end)) {
        if (!gbkToUtf8(bytes.substr(end, gbkCharacterLength(bytes, end)))) {
            break;
        }
    }
    return std::nullopt;
}

std::optional<std::string> utf16Text(std::string_view bytes, bool bigEndian, std::string& problem) {
    const auto unitAt = [&](std::size_t at) {
        const auto first = static_cast<unsigned char>(bytes[at]);
        const auto second = static_cast<unsigned char>(bytes[at + 1]);
        return static_cast<char32_t>(bigEndian ? first << 8 | second : second << 8 | first);
    };
    const std::size_t markSize = kUtf16LittleMark.size();
    const auto fail = [&](std::string what, std::size_t at) {
        problem = "has a UTF-16 byte order mark but " + what + " at offset " + std::to_string(at + markSize);
        return std::nullopt;
    };
    std::string text;
    std::size_t at = 0;
    while (at < bytes.size()) {
        if (bytes.size() - at < 2) {
            return fail("ends in half a character", at);
        }
        char32_t c = unitAt(at);
        std::size_t size = 2;
        if (c >= 0xD800 && c <= 0xDBFF && bytes.size() - at >= 4) {
            const char32_t low = unitAt(at + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                size = 4;
            }
        }
        if (c >= 0xD800 && c <= 0xDFFF) {
            return fail("a lone surrogate", at);
        }
        if (isControl(c)) {
            return fail("control character " + byteName(static_cast<unsigned char>(c)), at);
        }
        appendUtf8(text, c);
        at += size;
    }
    return text;
}

std::string byteAt(std::string_view bytes, std::size_t at) {
    return "byte " + byteName(static_cast<unsigned char>(bytes[at])) + " at offset " + std::to_string(at);
}

}  // namespace

std::optional<std::string> decodeCsvBytes(std::span<const std::uint8_t> bytes, std::string& problem) {
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (text.starts_with(kUtf16LittleMark) || text.starts_with(kUtf16BigMark)) {
        return utf16Text(text.substr(kUtf16LittleMark.size()), text.starts_with(kUtf16BigMark), problem);
    }
    if (text.starts_with(kUtf8Mark)) {
        const std::string_view body = text.substr(kUtf8Mark.size());
        const std::size_t end = utf8TextEnd(body);
        if (end < body.size()) {
            problem = "has a UTF-8 byte order mark but is not UTF-8: " + byteAt(text, end + kUtf8Mark.size());
            return std::nullopt;
        }
        return std::string(body);
    }
    const std::size_t utf8End = utf8TextEnd(text);
    if (utf8End == text.size()) {
        return std::string(text);
    }
    std::size_t gbkEnd = 0;
    if (auto gbk = gbkText(text, gbkEnd)) {
        return gbk;
    }
    // The byte where the reading that went further broke off is the one the
    // user most likely has to look at.
    const std::size_t at = std::min(std::max(utf8End, gbkEnd), text.size() - 1);
    problem = "is neither UTF-8, GBK nor UTF-16 with a byte order mark: " + byteAt(text, at);
    return std::nullopt;
}

}  // namespace veltrano::tools
