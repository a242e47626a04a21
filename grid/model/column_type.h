#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace veltrano::grid {

enum class ColumnKind : std::int32_t {
    PlainText = 101,
    Number = 102,
    Date = 103,
    EditableList = 104,
    CheckBox = 105,
    Picture = 106,
    UnitNumber = 107,
    DropDownList = 108,
};

inline constexpr std::int32_t kDefaultPictureMode = 203;

// Decimals outside this range leave numeric texts as they are.
constexpr bool formatsDecimals(std::int32_t decimals) {
    return decimals >= 0 && decimals < 10;
}

struct ColumnType {
    std::int32_t column = 0;
    ColumnKind kind = ColumnKind::PlainText;
    std::vector<std::string> items;
    std::int32_t reserved = 0;
    std::string unitText;
    std::string secondText;
    std::int32_t option = 0;
    std::int32_t decimals = -1;

    friend bool operator==(const ColumnType&, const ColumnType&) = default;
};

}  // namespace veltrano::grid
