#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "components/classdata/codec.h"
#include "components/classdata/colors.h"

namespace veltrano::classdata {

// Properties 8 to 28 in this order, without the run-time-only SelText.
struct EditBoxData {
    static constexpr std::uint32_t kNewestVersion = 2;

    std::string Text;
    std::int32_t BorderStyle = 1;
    std::uint32_t TextColor = 0;
    std::uint32_t BackColor = 0xFFFFFF;
    std::vector<std::uint8_t> Font;
    bool HideSelection = true;
    std::int32_t MaxLength = 0;
    bool MultiLine = false;
    std::int32_t ScrollBars = 0;
    std::int32_t Alignment = 0;
    std::int32_t InputMode = 0;
    // The character code sits in the low byte.
    std::uint16_t PasswordChar = 0x2A;
    std::int32_t CaseConversion = 0;
    std::int32_t SpinMode = 0;
    std::int32_t SpinMin = 0;
    std::int32_t SpinMax = 100;
    std::int32_t SelStart = 0;
    std::int32_t SelLength = 0;
    std::string DataSource;
    std::string DataColumn;

    bool operator==(const EditBoxData&) const = default;
};

template <>
std::optional<EditBoxData> decode<EditBoxData>(std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> encode(const EditBoxData& data);

}  // namespace veltrano::classdata
