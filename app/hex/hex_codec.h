#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/hex/message_sink.h"

namespace veltrano::hex {

// Parses hexadecimal text (code page 936 bytes). Surrounding ASCII and
// full-width spaces and every inner ASCII space are ignored; letters may be
// lower case. On an odd length or a character that is not a hexadecimal
// digit, reports it through `sink` (caption "错误") and returns no bytes.
// Empty input gives no bytes and no message.
std::vector<std::uint8_t> HexToBytes(std::string_view text, MessageSink& sink);

// Why HexToBytes refuses a text, for callers that word the reason
// themselves (the table tool speaks English).
struct HexFault {
    enum class Kind { OddLength, InvalidCharacter };
    Kind kind = Kind::OddLength;
    // The first character that is not a digit, one or two code page 936
    // bytes; empty for an odd length.
    std::string character;
};

// The fault HexToBytes would report for text, by the same rules; none when
// it takes the text (empty text included).
std::optional<HexFault> findHexFault(std::string_view text);

// Two upper-case digits and one space per byte: AD 66 0F gives "AD 66 0F ".
std::string BytesToHex(std::span<const std::uint8_t> bytes);

// The byte written by the first two characters; anything but 0-9 and A-F,
// or a missing character, counts as 0. Never reports anything.
std::uint8_t HexPairToByte(std::string_view text);

}  // namespace veltrano::hex
