#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "components/classdata/codec.h"
#include "components/classdata/colors.h"

namespace veltrano::classdata {

// Properties 8 to 13 in this order.
struct ProgressBarData {
    static constexpr std::uint32_t kNewestVersion = 1;

    std::int32_t BorderStyle = 3;
    std::int32_t Orientation = 0;
    std::int32_t BarStyle = 0;
    std::int32_t Minimum = 0;
    std::int32_t Maximum = 100;
    std::int32_t Position = 0;

    bool operator==(const ProgressBarData&) const = default;
};

template <>
std::optional<ProgressBarData> decode<ProgressBarData>(std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> encode(const ProgressBarData& data);

}  // namespace veltrano::classdata
