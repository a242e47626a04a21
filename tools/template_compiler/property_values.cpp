#include "tools/template_compiler/property_values.h"

#include <charconv>
#include <cstdio>
#include <limits>

#include "tools/emblem/emblem.h"
#include "tools/emblem/ico_writer.h"
#include "tools/template_compiler/gbk.h"

namespace veltrano::tc {
namespace {

constexpr std::int64_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kUint32Max = std::numeric_limits<std::uint32_t>::max();

std::optional<std::string> expectOneWord(const std::vector<Token>& value, bool quoted, const char* what) {
    if (value.size() != 1 || value[0].quoted != quoted) return std::string("expected ") + what;
    return std::nullopt;
}

std::optional<std::string> parse32(const std::vector<Token>& value, std::uint32_t& bits) {
    if (auto error = expectOneWord(value, false, "an integer")) return error;
    const auto number = parseInteger(value[0]);
    if (!number) return "'" + value[0].text + "' is not an integer";
    if (*number < kInt32Min || *number > kUint32Max) return "'" + value[0].text + "' does not fit 32 bits";
    bits = static_cast<std::uint32_t>(*number);
    return std::nullopt;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::uint32_t fnv1a(const std::vector<std::uint8_t>& bytes) {
    std::uint32_t hash = 0x811C9DC5u;
    for (const std::uint8_t b : bytes) {
        hash ^= b;
        hash *= 0x01000193u;
    }
    return hash;
}

}  // namespace

std::optional<std::int64_t> parseInteger(const Token& token) {
    if (token.quoted || token.text.empty()) return std::nullopt;
    std::string_view text = token.text;
    bool negative = false;
    if (text.front() == '-') {
        negative = true;
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty() || text.size() > 16) return std::nullopt;
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return negative ? -value : value;
}

std::string hex32(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", value);
    return text;
}

std::string quoteGbk(const std::string& gbk) {
    const auto utf8 = gbkToUtf8(gbk);
    const std::string& source = utf8 ? *utf8 : gbk;
    std::string quoted = "\"";
    for (const char c : source) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (c == '\n') {
            quoted += "\\n";
        } else if (c == '\r') {
            quoted += "\\r";
        } else if (c == '\t') {
            quoted += "\\t";
        } else if (byte < 0x20 || (!utf8 && byte >= 0x80)) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            quoted += escape;
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

std::optional<std::string> assignValue(std::int32_t& field, const std::vector<Token>& value) {
    std::uint32_t bits = 0;
    if (auto error = parse32(value, bits)) return error;
    field = static_cast<std::int32_t>(bits);
    return std::nullopt;
}

std::optional<std::string> assignValue(std::uint32_t& field, const std::vector<Token>& value) {
    return parse32(value, field);
}

std::optional<std::string> assignValue(std::uint16_t& field, const std::vector<Token>& value) {
    if (value.size() == 1 && value[0].quoted) {
        const auto gbk = utf8ToGbk(value[0].text);
        if (!gbk || gbk->size() != 1) return std::string("expected a one-byte text or a number");
        field = static_cast<unsigned char>((*gbk)[0]);
        return std::nullopt;
    }
    if (auto error = expectOneWord(value, false, "a one-byte text or a number")) return error;
    const auto number = parseInteger(value[0]);
    if (!number || *number < 0 || *number > 0xFFFF) return "'" + value[0].text + "' does not fit 16 bits";
    field = static_cast<std::uint16_t>(*number);
    return std::nullopt;
}

std::optional<std::string> assignValue(bool& field, const std::vector<Token>& value) {
    if (auto error = expectOneWord(value, false, "true or false")) return error;
    if (value[0].text == "true") {
        field = true;
    } else if (value[0].text == "false") {
        field = false;
    } else {
        return std::string("expected true or false");
    }
    return std::nullopt;
}

std::optional<std::string> assignValue(std::string& field, const std::vector<Token>& value) {
    if (auto error = expectOneWord(value, true, "one quoted text")) return error;
    const auto gbk = utf8ToGbk(value[0].text);
    if (!gbk) return std::string("the text has characters outside code page 936");
    field = *gbk;
    return std::nullopt;
}

std::optional<std::string> assignValue(std::vector<std::uint8_t>& field, const std::vector<Token>& value) {
    if (value.size() == 1 && !value[0].quoted && value[0].text == "empty") {
        field.clear();
        return std::nullopt;
    }
    if (value.size() == 2 && !value[0].quoted && value[0].text == "hex" && value[1].quoted) {
        const std::string& digits = value[1].text;
        if (digits.size() % 2 != 0) return std::string("hex bytes need an even number of digits");
        std::vector<std::uint8_t> bytes;
        for (std::size_t i = 0; i < digits.size(); i += 2) {
            const int high = hexDigit(digits[i]);
            const int low = hexDigit(digits[i + 1]);
            if (high < 0 || low < 0) return std::string("'") + digits.substr(i, 2) + "' is not a hex byte";
            bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
        }
        field = std::move(bytes);
        return std::nullopt;
    }
    if (value.size() == 2 && !value[0].quoted && value[0].text == "emblem") {
        const auto size = parseInteger(value[1]);
        if (!size || *size < 1 || *size > 256) return std::string("the emblem size must be 1 to 256");
        field = emblem::encodeIco24(emblem::drawEmblem(static_cast<int>(*size)));
        return std::nullopt;
    }
    return std::string("expected bytes: empty, hex \"...\" or emblem SIZE");
}

std::optional<std::string> assignValue(std::vector<std::string>& field, const std::vector<Token>& value) {
    std::vector<std::string> texts;
    for (const Token& token : value) {
        if (!token.quoted) return "expected quoted texts, found '" + token.text + "'";
        const auto gbk = utf8ToGbk(token.text);
        if (!gbk) return std::string("a text has characters outside code page 936");
        texts.push_back(*gbk);
    }
    field = std::move(texts);
    return std::nullopt;
}

std::string describeValue(std::int32_t value) {
    return std::to_string(value);
}

std::string describeValue(std::uint32_t value) {
    return hex32(value);
}

std::string describeValue(std::uint16_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(value));
    return text;
}

std::string describeValue(bool value) {
    return value ? "true" : "false";
}

std::string describeValue(const std::string& gbk) {
    return quoteGbk(gbk);
}

std::string describeValue(const std::vector<std::uint8_t>& bytes) {
    if (bytes.empty()) return "0 bytes";
    return std::to_string(bytes.size()) + " bytes fnv1a " + hex32(fnv1a(bytes));
}

std::string describeValue(const std::vector<std::string>& gbkTexts) {
    std::string text = std::to_string(gbkTexts.size()) + " items";
    for (const std::string& item : gbkTexts) text += " " + quoteGbk(item);
    return text;
}

}  // namespace veltrano::tc
