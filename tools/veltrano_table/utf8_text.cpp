#include "tools/veltrano_table/utf8_text.h"

#include <cstdint>

namespace veltrano::tools {
namespace {

bool isContinuation(std::uint8_t byte) {
    return (byte & 0xC0) == 0x80;
}

}  // namespace

std::size_t utf8CharacterLength(std::string_view text, std::size_t at) {
    const auto byteAt = [&](std::size_t index) { return static_cast<std::uint8_t>(text[index]); };
    const std::uint8_t lead = byteAt(at);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    // The second byte's range also rules out overlong forms, surrogates and
    // code points past U+10FFFF.
    std::uint8_t low = 0x80;
    std::uint8_t high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() - at < length) {
        return 0;
    }
    const std::uint8_t second = byteAt(at + 1);
    if (second < low || second > high) {
        return 0;
    }
    for (std::size_t index = at + 2; index < at + length; ++index) {
        if (!isContinuation(byteAt(index))) {
            return 0;
        }
    }
    return length;
}

void appendUtf8(std::string& text, char32_t codePoint) {
    const auto byte = [](char32_t bits) { return static_cast<char>(static_cast<std::uint8_t>(bits)); };
    if (codePoint < 0x80) {
        text.push_back(byte(codePoint));
    } else if (codePoint < 0x800) {
        text.push_back(byte(0xC0 | (codePoint >> 6)));
        text.push_back(byte(0x80 | (codePoint & 0x3F)));
    } else if (codePoint < 0x10000) {
        text.push_back(byte(0xE0 | (codePoint >> 12)));
        text.push_back(byte(0x80 | ((codePoint >> 6) & 0x3F)));
        text.push_back(byte(0x80 | (codePoint & 0x3F)));
    } else {
        text.push_back(byte(0xF0 | (codePoint >> 18)));
        text.push_back(byte(0x80 | ((codePoint >> 12) & 0x3F)));
        text.push_back(byte(0x80 | ((codePoint >> 6) & 0x3F)));
        text.push_back(byte(0x80 | (codePoint & 0x3F)));
    }
}

}  // namespace veltrano::tools
