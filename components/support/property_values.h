#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/dispatch/property_kind.h"

namespace veltrano::property_value {

// Enumerated values written at run time land inside 0..largest.
constexpr std::int32_t clampChoice(std::uint32_t word, std::int32_t largest) noexcept {
    const auto value = static_cast<std::int32_t>(word);
    return value < 0 ? 0 : (value > largest ? largest : value);
}

constexpr bool asBool(const RawValue& value) noexcept {
    return value.word1 != 0;
}

// A written text: word 1 addresses zero-terminated code page 936 bytes; the
// null address is the empty text.
std::string text(const RawValue& value);
// Written picture or font bytes: (address, length).
std::vector<std::uint8_t> bytes(const RawValue& value);

// Read answers pointing into storage the object owns.
RawValue ofText(const std::string& text) noexcept;
RawValue ofBytes(const std::vector<std::uint8_t>& bytes) noexcept;
constexpr RawValue ofWord(std::uint32_t word) noexcept {
    return RawValue{word, 0};
}
constexpr RawValue ofInt(std::int32_t value) noexcept {
    return RawValue{static_cast<std::uint32_t>(value), 0};
}

}  // namespace veltrano::property_value
