#include "runtime/commands/gbk_characters.h"

namespace veltrano::commands::gbk {
namespace {

struct CaseRange {
    std::uint8_t lead;
    std::uint8_t firstLower;
    std::uint8_t lastLower;
    std::uint8_t lowerToUpper;  // distance from a small letter to its capital
};

constexpr CaseRange kCaseRanges[] = {
    {0xA3, 0xE1, 0xFA, 0x20},  // full-width Latin
    {0xA6, 0xC1, 0xD8, 0x20},  // Greek
    {0xA7, 0xD1, 0xF1, 0x30},  // Cyrillic
};

}  // namespace

std::size_t characterLength(std::string_view text, std::size_t position) noexcept {
    if (position < text.size() && isLeadByte(text[position]) && position + 1 < text.size()) return 2;
    return 1;
}

std::size_t spaceLength(std::string_view text, std::size_t position) noexcept {
    if (position >= text.size()) return 0;
    if (text[position] == ' ') return 1;
    if (position + 1 < text.size() && text[position] == '\xA1' && text[position + 1] == '\xA1') return 2;
    return 0;
}

std::string_view withoutLoneLeadByte(std::string_view text) noexcept {
    std::size_t position = 0;
    while (position < text.size()) {
        if (isLeadByte(text[position]) && position + 1 == text.size()) return text.substr(0, position);
        position += characterLength(text, position);
    }
    return text;
}

std::uint16_t foldedDoubleByte(char lead, char trail) noexcept {
    const auto leadByte = static_cast<std::uint8_t>(lead);
    auto trailByte = static_cast<std::uint8_t>(trail);
    for (const CaseRange& range : kCaseRanges) {
        if (leadByte == range.lead && trailByte >= range.firstLower && trailByte <= range.lastLower) {
            trailByte = static_cast<std::uint8_t>(trailByte - range.lowerToUpper);
            break;
        }
    }
    return static_cast<std::uint16_t>((leadByte << 8) | trailByte);
}

}  // namespace veltrano::commands::gbk
