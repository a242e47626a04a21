#include "app/protocol/frames.h"

#include <array>
#include <cstdio>

namespace veltrano::protocol {
namespace {

constexpr std::array<std::string_view, kBlockCount> kBlockBegins{"AD66666666AAABA1BD", "AD66666666AAABA2BD",
                                                                 "AD66666666AAABA3BD", "AD66666666AAABA4BD"};
constexpr std::array<std::string_view, kBlockCount> kBlockEnds{"AD66666666AAABB1BD", "AD66666666AAABB2BD",
                                                               "AD66666666AAABB3BD", "AD66666666AAABB4BD"};

std::optional<int> digitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return std::nullopt;
}

// The 32-bit pattern of `value` in upper-case hexadecimal, at least `width`
// digits, as the text-format command writes an integer under "%0nX".
std::string formatHex(std::int32_t value, int width) {
    std::array<char, 16> buffer{};
    const int written = std::snprintf(buffer.data(), buffer.size(), "%0*lX", width,
                                      static_cast<unsigned long>(static_cast<std::uint32_t>(value)));
    if (written <= 0) {
        return {};
    }
    return std::string(buffer.data(), static_cast<std::size_t>(written));
}

}  // namespace

std::string_view blockBeginText(int block) {
    if (block < 1 || block > kBlockCount) {
        return {};
    }
    return kBlockBegins[static_cast<std::size_t>(block - 1)];
}

std::string_view blockEndText(int block) {
    if (block < 1 || block > kBlockCount) {
        return {};
    }
    return kBlockEnds[static_cast<std::size_t>(block - 1)];
}

std::optional<std::vector<std::uint8_t>> frameBytes(std::string_view text) {
    if (text.size() % 2 != 0) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() / 2);
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const auto high = digitValue(text[i]);
        const auto low = digitValue(text[i + 1]);
        if (!high || !low) {
            return std::nullopt;
        }
        bytes.push_back(static_cast<std::uint8_t>(*high * 16 + *low));
    }
    return bytes;
}

std::string portSettingText(const PortRates& rates, std::int32_t binding) {
    std::string text = "AD66778866";
    for (const std::int32_t rate : {rates.sequencer, rates.projector, rates.player, rates.amplifier}) {
        text += formatHex(rate, 6);
    }
    text += formatHex(binding, 2);
    text += "BD";
    return text;
}

std::string slotFrameText(std::uint16_t position, std::string_view cellText) {
    return "ADBD3D" + formatHex(position, 4) + removeAllSpaces(cellText);
}

std::string removeAllSpaces(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead == 0x20) {
            ++i;
            continue;
        }
        if (lead >= 0x80 && i + 1 < text.size()) {
            const auto trail = static_cast<unsigned char>(text[i + 1]);
            if (!(lead == 0xA1 && trail == 0xA1)) {
                result.append(text.substr(i, 2));
            }
            i += 2;
            continue;
        }
        result.push_back(text[i]);
        ++i;
    }
    return result;
}

}  // namespace veltrano::protocol
