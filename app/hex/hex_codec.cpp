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
// a lead byte is taken together with its trail byte, or the message would
// end in half a character.
HexFault invalidCharacterAt(std::string_view digits, std::size_t at) {
    const bool doubleByte = static_cast<unsigned char>(digits[at]) >= 0x80 && at + 1 < digits.size();
    return {HexFault::Kind::InvalidCharacter, std::string(digits.substr(at, doubleByte ? 2 : 1))};
}

// Decodes text into bytes, or tells the first fault with bytes left empty.
std::optional<HexFault> decode(std::string_view text, std::vector<std::uint8_t>& bytes) {
    std::string digits = removeAsciiSpaces(trimSpaces(text));
    toUpperAscii(digits);
    if (digits.size() % 2 != 0) {
        return HexFault{HexFault::Kind::OddLength, {}};
    }
    bytes.assign(digits.size() / 2, 0);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto high = digitValue(digits[2 * i]);
        const auto low = high ? digitValue(digits[2 * i + 1]) : std::nullopt;
        if (!high || !low) {
            bytes.clear();
            return invalidCharacterAt(digits, high ? 2 * i + 1 : 2 * i);
        }
        bytes[i] = static_cast<std::uint8_t>(*high * 16 + *low);
    }
    return std::nullopt;
}

}  // namespace

std::vector<std::uint8_t> HexToBytes(std::string_view text, MessageSink& sink) {
    std::vector<std::uint8_t> bytes;
    const std::optional<HexFault> fault = decode(text, bytes);
    if (!fault) {
        return bytes;
    }
    if (fault->kind == HexFault::Kind::OddLength) {
        sink.showMessage(std::string(kOddLengthMessage), std::string(kErrorCaption));
    } else {
        sink.showMessage(std::string(kInvalidCharacterMessage) + fault->character, std::string(kErrorCaption));
    }
    return {};
}

std::optional<HexFault> findHexFault(std::string_view text) {
    std::vector<std::uint8_t> bytes;
    return decode(text, bytes);
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
