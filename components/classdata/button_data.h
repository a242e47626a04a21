#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "components/classdata/codec.h"
#include "components/classdata/colors.h"

namespace veltrano::classdata {

// The default caption, as code page 936 bytes.
inline constexpr char kDefaultButtonCaption[] = "\xB0\xB4\xC5\xA5";

// Properties 8 to 13 in this order.
struct ButtonData {
    static constexpr std::uint32_t kNewestVersion = 1;

    std::vector<std::uint8_t> ButtonPicture;
    std::int32_t ButtonType = 0;
    std::string Caption = kDefaultButtonCaption;
    std::int32_t Alignment = 1;
    std::int32_t VerticalAlignment = 1;
    std::vector<std::uint8_t> Font;

    bool operator==(const ButtonData&) const = default;
};

template <>
std::optional<ButtonData> decode<ButtonData>(std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> encode(const ButtonData& data);

}  // namespace veltrano::classdata
