#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace veltrano::edit_input {

// Input modes of the edit box.
enum class InputMode : std::int32_t {
    Normal = 0,
    ReadOnly = 1,
    Password = 2,
    IntegerText = 3,
    DecimalText = 4,
    Byte = 5,
    Short = 6,
    Integer = 7,
    Long = 8,
    Single = 9,
    Double = 10,
    DateTime = 11,
};

inline constexpr std::int32_t kLastInputMode = 11;

// Whether a typed character (a UTF-16 unit) may enter a box of this mode;
// control characters below 32 always may.
bool typingAllowed(std::int32_t mode, std::uint32_t character) noexcept;

// Leading white space, an optional sign, then the digits up to the first
// other character; no digits is 0. Values beyond 64 bits saturate.
std::int64_t parseInteger(std::string_view text) noexcept;

// The text a box of this mode shows once it loses focus (code page 936
// bytes); modes without normalisation keep the text.
std::string normalisedText(std::int32_t mode, std::string_view text);

// A date and time read from a text: "2024年3月5日 8时30分", "2024-03-05 08:30:15",
// "2024/3/5" and the like; nothing when no valid date is found.
struct DateTimeParts {
    std::int32_t year = 0;
    std::int32_t month = 0;
    std::int32_t day = 0;
    std::int32_t hour = 0;
    std::int32_t minute = 0;
    std::int32_t second = 0;
};
std::optional<DateTimeParts> parseDateTime(std::string_view text) noexcept;

}  // namespace veltrano::edit_input
