#include "tools/veltrano_table/message_text.h"

#include <cstdint>

#include "tools/veltrano_table/utf8_text.h"

namespace veltrano::tools {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

void appendEscaped(std::string& text, std::uint8_t byte) {
    text += "\\x";
    text.push_back(kHexDigits[byte >> 4]);
    text.push_back(kHexDigits[byte & 0x0F]);
}

bool isControl(std::string_view character) {
    const auto first = static_cast<std::uint8_t>(character[0]);
    if (character.size() == 1) {
        return first < 0x20 || first == 0x7F;
    }
    // U+0080 to U+009F.
    return character.size() == 2 && first == 0xC2 && static_cast<std::uint8_t>(character[1]) < 0xA0;
}

}  // namespace

std::string quotedText(std::string_view utf8) {
    std::string text = "\"";
    text += printableText(utf8);
    text.push_back('"');
    return text;
}

std::string printableText(std::string_view utf8) {
    std::string text;
    std::size_t at = 0;
    while (at < utf8.size()) {
        const std::size_t length = utf8CharacterLength(utf8, at);
        const std::string_view character = utf8.substr(at, length == 0 ? 1 : length);
        if (length == 0 || isControl(character)) {
            for (const char byte : character) {
                appendEscaped(text, static_cast<std::uint8_t>(byte));
            }
        } else {
            text.append(character);
        }
        at += character.size();
    }
    return text;
}

std::string byteName(unsigned char byte) {
    std::string name = "0x";
    name.push_back(kHexDigits[byte >> 4]);
    name.push_back(kHexDigits[byte & 0x0F]);
    return name;
}

std::string counted(std::size_t count, std::string_view singular, std::string_view plural) {
    return std::to_string(count) + " " + std::string(count == 1 ? singular : plural);
}

}  // namespace veltrano::tools
