#include "hex_check.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

#include "app/hex/hex_codec.h"
#include "app/hex/hex_messages.h"

namespace veltrano::fuzz {
namespace {

class RecordingSink final : public hex::MessageSink {
public:
    void showMessage(const std::string& text, const std::string& caption) override {
        messages.emplace_back(text, caption);
    }
    std::vector<std::pair<std::string, std::string>> messages;
};

int digitOf(std::uint8_t c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

std::string parseDifference(std::string_view text) {
    RecordingSink sink;
    const std::vector<std::uint8_t> parsed = hex::HexToBytes(text, sink);
    if (!sink.messages.empty()) {
        if (sink.messages.size() != 1 || !parsed.empty()) {
            return "a refused text gave bytes or more than one message";
        }
        const auto& [message, caption] = sink.messages.front();
        if (caption != hex::kErrorCaption) {
            return "an error message without the error caption";
        }
        if (message == hex::kOddLengthMessage) {
            return {};
        }
        const std::size_t named = message.size() - std::min(message.size(), hex::kInvalidCharacterMessage.size());
        if (!startsWith(message, hex::kInvalidCharacterMessage) || named < 1 || named > 2) {
            return "an error message that is neither of the codec's two";
        }
        const std::string_view character = std::string_view(message).substr(hex::kInvalidCharacterMessage.size());
        if (character.size() == 2) {
            // A double-byte character is named whole, as it stands in the text.
            if (static_cast<std::uint8_t>(character[0]) < 0x80 || text.find(character) == std::string_view::npos) {
                return "a two-byte name that is no character of the text";
            }
            return {};
        }
        // Letters are folded to upper case before they are judged, so a
        // lower-case letter is named in upper case.
        const char offending = message.back();
        const bool inText = text.find(offending) != std::string_view::npos ||
                            (offending >= 'G' && offending <= 'Z' &&
                             text.find(static_cast<char>(offending - 'A' + 'a')) != std::string_view::npos);
        if (digitOf(static_cast<std::uint8_t>(offending)) >= 0 || !inText) {
            return "the invalid character named is a digit or not in the text";
        }
        return {};
    }
    // Accepted: the nibbles are exactly the text's digits in order, and
    // nothing but spaces (and full-width spaces, which hold no digit bytes)
    // was skipped.
    std::vector<int> digits;
    for (const char c : text) {
        const int digit = digitOf(static_cast<std::uint8_t>(c));
        if (digit >= 0) {
            digits.push_back(digit);
        }
    }
    if (digits.size() != 2 * parsed.size()) {
        return "the bytes do not hold every digit of the text";
    }
    for (std::size_t i = 0; i < parsed.size(); ++i) {
        if (parsed[i] != digits[2 * i] * 16 + digits[2 * i + 1]) {
            return "byte " + std::to_string(i) + " is not the text's digit pair";
        }
    }
    return {};
}

std::string roundTripDifference(std::span<const std::uint8_t> bytes) {
    const std::string text = hex::BytesToHex(bytes);
    if (text.size() != 3 * bytes.size()) {
        return "written text is not three characters a byte";
    }
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (text[3 * i + 2] != ' ' || hex::HexPairToByte(std::string_view(text).substr(3 * i, 2)) != bytes[i]) {
            return "written pair " + std::to_string(i) + " does not read back as its byte";
        }
    }
    RecordingSink sink;
    const std::vector<std::uint8_t> parsed = hex::HexToBytes(text, sink);
    if (!sink.messages.empty() || !std::equal(parsed.begin(), parsed.end(), bytes.begin(), bytes.end())) {
        return "bytes written as text do not parse back to themselves";
    }
    return {};
}

}  // namespace

std::string checkHexText(std::span<const std::uint8_t> bytes) {
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (std::string difference = parseDifference(text); !difference.empty()) {
        return "parsing: " + difference;
    }
    if (std::string difference = roundTripDifference(bytes); !difference.empty()) {
        return "round trip: " + difference;
    }
    return {};
}

}  // namespace veltrano::fuzz
