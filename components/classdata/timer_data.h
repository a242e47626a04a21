#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "components/classdata/codec.h"
#include "components/classdata/colors.h"

namespace veltrano::classdata {

// Property 8.
struct TimerData {
    static constexpr std::uint32_t kNewestVersion = 1;

    std::int32_t Interval = 0;

    bool operator==(const TimerData&) const = default;
};

template <>
std::optional<TimerData> decode<TimerData>(std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> encode(const TimerData& data);

}  // namespace veltrano::classdata
