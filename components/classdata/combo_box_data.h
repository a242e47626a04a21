#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "components/classdata/codec.h"
#include "components/classdata/colors.h"

namespace veltrano::classdata {

// Properties 8 to 24 in this order, without the run-time-only SelText.
struct ComboBoxData {
    static constexpr std::uint32_t kNewestVersion = 3;

    std::int32_t ComboStyle = 1;
    std::string Text;
    std::int32_t MaxLength = 0;
    std::int32_t SelStart = 0;
    std::int32_t SelLength = 0;
    bool Sorted = false;
    std::int32_t ItemHeightExtra = 1;
    std::uint32_t TextColor = 0;
    std::uint32_t BackColor = 0xFFFFFF;
    std::vector<std::uint8_t> Font;
    std::int32_t CurrentSelection = -1;
    std::vector<std::string> ItemTexts;
    // One 32-bit little-endian value per item, in item order.
    std::vector<std::uint8_t> ItemData;
    std::string DataSource;
    std::string DataColumn;
    bool DataBindingOption = false;

    bool operator==(const ComboBoxData&) const = default;
};

// The item list form of ItemTexts: a 16-bit count (0xFFFF, then a 32-bit
// count, for large lists) and that many texts. Also the byte form in which
// the property is read and written.
std::vector<std::uint8_t> encodeItemList(const std::vector<std::string>& items);
std::optional<std::vector<std::string>> decodeItemList(std::span<const std::uint8_t> bytes);
bool readItemList(Reader& reader, std::vector<std::string>& items);
void writeItemList(Writer& writer, const std::vector<std::string>& items);

template <>
std::optional<ComboBoxData> decode<ComboBoxData>(std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> encode(const ComboBoxData& data);

}  // namespace veltrano::classdata
