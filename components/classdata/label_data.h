#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "components/classdata/codec.h"
#include "components/classdata/colors.h"

namespace veltrano::classdata {

// Properties 8 to 28 in this order.
struct LabelData {
    static constexpr std::uint32_t kNewestVersion = 2;

    std::string Caption;
    std::int32_t TextEffect = 0;
    std::int32_t BorderStyle = 0;
    std::int32_t GradientBorderWidth = 8;
    std::uint32_t GradientBorderColor1 = 0x808080;
    std::uint32_t GradientBorderColor2 = 0xFFFFFF;
    std::uint32_t GradientBorderColor3 = 0x808080;
    std::vector<std::uint8_t> Font;
    std::uint32_t TextColor = 0;
    std::uint32_t BackColor = kSystemDefaultColor;
    std::vector<std::uint8_t> BackPicture;
    std::int32_t BackPictureMode = 1;
    std::int32_t GradientBackground = 0;
    std::uint32_t GradientBackColor1 = 0x808080;
    std::uint32_t GradientBackColor2 = 0xFFFFFF;
    std::uint32_t GradientBackColor3 = 0x808080;
    std::int32_t Alignment = 0;
    bool WordWrap = false;
    std::int32_t VerticalAlignment = 1;
    std::string DataSource;
    std::string DataColumn;

    bool operator==(const LabelData&) const = default;
};

template <>
std::optional<LabelData> decode<LabelData>(std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> encode(const LabelData& data);

}  // namespace veltrano::classdata
