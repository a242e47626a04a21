#pragma once

#include <cstdint>

#include "runtime/values/address_word.h"

namespace veltrano {

// How a class property's raw value (two words) becomes a runtime value.
enum class PropertyKind : std::uint16_t {
    Word = 1000,
    Integer = 1001,
    Wide1002 = 1002,
    Bool = 1003,
    Wide1004 = 1004,
    Text = 1005,
    Choice = 1006,
    Text1007 = 1007,
    Text1008 = 1008,
    Picture = 1009,
    Icon = 1010,
    Cursor = 1011,
    Sound = 1012,
    Font = 1013,
    Colour = 1014,
    ColourOrTransparent = 1015,
    FileName = 1016,
    BackgroundColour = 1017,
    DataSource = 1018,
    Text1019 = 1019,
    DataColumn = 1020,
    Text1021 = 1021,
    Text1022 = 1022,
    Bytes1023 = 1023,
    CustomData = 1024,
};

enum class RuntimeValueForm { None, Integer, Wide, Bool, Text, ByteSet, Font };

// The runtime value form of a kind; kinds outside 1000..1024 have none.
RuntimeValueForm runtimeFormOf(std::uint16_t kind) noexcept;

// word1 carries a number's low half or an address (so it is address-wide);
// word2 a number's high half or the length of the bytes at word1.
struct RawValue {
    AddressWord word1 = 0;
    std::uint32_t word2 = 0;

    // word1 read as the 32-bit number it carries for a number or colour.
    constexpr std::uint32_t number() const noexcept { return static_cast<std::uint32_t>(word1); }
};

struct RuntimeWords {
    std::uint32_t low = 0;
    std::uint32_t high = 0;
};

// The conversions that need no memory of their own: numbers, choices,
// colours and bools. Texts, byte sets and fonts are copied by the kernel.
RuntimeWords readScalar(std::uint16_t kind, RawValue raw) noexcept;
RawValue writeScalar(std::uint16_t kind, RuntimeWords value) noexcept;

}  // namespace veltrano
