#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "components/classdata/codec.h"
#include "components/classdata/colors.h"

namespace veltrano::classdata {

// Properties 8 to 12 in this order.
struct GroupBoxData {
    static constexpr std::uint32_t kNewestVersion = 1;

    std::string Caption;
    std::int32_t Alignment = 0;
    std::uint32_t TextColor = 0;
    std::uint32_t BackColor = kSystemDefaultColor;
    std::vector<std::uint8_t> Font;

    bool operator==(const GroupBoxData&) const = default;
};

template <>
std::optional<GroupBoxData> decode<GroupBoxData>(std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> encode(const GroupBoxData& data);

}  // namespace veltrano::classdata
