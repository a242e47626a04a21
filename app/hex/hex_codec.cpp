#include "app/hex/hex_codec.h"

#include <cstddef>
#include <optional>

#include "app/hex/gbk_spaces.h"
#include "app/hex/hex_messages.h"

namespace veltrano::hex {
namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

// Upper-case digits only; the callers fold letters first where they accept
// lower case.
std::optional<std::uint8_t> digitValue(char c) {
    if (c >= '0' && c <= '9') {
        return static_cast<std::uint8_t>(c - '0');
    }
    if (c >= 'A' && c <= 'F') {
        return static_cast<std::uint8_t>(c - 'A' + 10);
    }
    return std::nullopt;
}

// Every byte before `at` is a hexadecimal digit, so `at` starts a character:
// a lead byte is named together with its trail byte, or the message would
// end in half a character.
void reportInvalid(std::string_view digits, std::size_t at, MessageSink& sink) {
    std::string text(kInvalidCharacterMessage);
    const bool doubleByte = static_cast<unsigned char>(digits[at]) >= 0x80 && at + 1 < digits.size();
    text.append(digits.substr(at, doubleByte ? 2 : 1));
    sink.showMessage(text, std::string(kErrorCaption));
}

}  // namespace

std::vector<std::uint8_t> HexToBytes(std::string_view text, MessageSink& sink) {
    std::string digits = removeAsciiSpaces(trimSpaces(text));
    toUpperAscii(digits);
    if (digits.size() % 2 != 0) {
        sink.showMessage(std::string(kOddLengthMessage), std::string(kErrorCaption));
        return {};
    }
    std::vector<std::uint8_t> bytes(digits.size() / 2);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto high = digitValue(digits[2 * i]);
        if (!high) {
            reportInvalid(digits, 2 * i, sink);
            return {};
        }
        const auto low = digitValue(digits[2 * i + 1]);
        if (!low) {
            reportInvalid(digits, 2 * i + 1, sink);
            return {};
        }
        bytes[i] = static_cast<std::uint8_t>(*high * 16 + *low);
    }
    return bytes;
}

std::string BytesToHex(std::span<const std::uint8_t> bytes) {
    std::string text;
    text.reserve(bytes.size() * 3);
    for (const std::uint8_t byte : bytes) {
        text.push_back(kDigits[byte >> 4]);
        text.push_back(kDigits[byte & 0x0F]);
        text.push_back(' ');
    }
    return text;
}

std::uint8_t HexPairToByte(std::string_view text) {
    const std::uint8_t high = text.size() > 0 ? digitValue(text[0]).value_or(0) : 0;
    const std::uint8_t low = text.size() > 1 ? digitValue(text[1]).value_or(0) : 0;
    return static_cast<std::uint8_t>(high * 16 + low);
}

}  // namespace veltrano::hex
