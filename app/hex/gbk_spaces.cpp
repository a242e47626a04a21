#include "app/hex/gbk_spaces.h"

#include <cstddef>

namespace veltrano::hex {
namespace {

constexpr unsigned char kSpace = 0x20;
constexpr unsigned char kFullWidthSpaceByte = 0xA1;

bool isLeadByte(char c) {
    return static_cast<unsigned char>(c) >= 0x80;
}

// Length in bytes of the character starting at `pos`.
std::size_t characterLength(std::string_view text, std::size_t pos) {
    return isLeadByte(text[pos]) && pos + 1 < text.size() ? 2 : 1;
}

bool isSpaceCharacter(std::string_view text, std::size_t pos, std::size_t length) {
    if (length == 1) {
        return static_cast<unsigned char>(text[pos]) == kSpace;
    }
    return static_cast<unsigned char>(text[pos]) == kFullWidthSpaceByte &&
           static_cast<unsigned char>(text[pos + 1]) == kFullWidthSpaceByte;
}

}  // namespace

std::string_view trimSpaces(std::string_view text) {
    // Character boundaries are only known walking forwards, so one pass finds
    // both the first and the end of the last character that is not a space.
    std::size_t first = text.size();
    std::size_t end = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = characterLength(text, pos);
        if (!isSpaceCharacter(text, pos, length)) {
            if (first == text.size()) {
                first = pos;
            }
            end = pos + length;
        }
        pos += length;
    }
    if (first == text.size()) {
        return {};
    }
    return text.substr(first, end - first);
}

std::string removeAsciiSpaces(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = characterLength(text, pos);
        if (!(length == 1 && static_cast<unsigned char>(text[pos]) == kSpace)) {
            result.append(text.substr(pos, length));
        }
        pos += length;
    }
    return result;
}

void toUpperAscii(std::string& text) {
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = characterLength(text, pos);
        if (length == 1 && text[pos] >= 'a' && text[pos] <= 'z') {
            text[pos] = static_cast<char>(text[pos] - 'a' + 'A');
        }
        pos += length;
    }
}

}  // namespace veltrano::hex
