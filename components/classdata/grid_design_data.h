#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "components/classdata/codec.h"
#include "components/classdata/colors.h"

namespace veltrano::classdata {

// The grid's design values, properties 8 to 37 in this order.
struct GridDesignData {
    static constexpr std::uint32_t kNewestVersion = 12;
    // Property 31 is stored with this bit set when the extension follows.
    static constexpr std::uint32_t kExtensionBit = 0x80000000;
    static constexpr std::uint32_t kExtensionMarker = 1;

    std::uint32_t gridLineColor = 0xC0C0C0;                    // 8
    std::uint32_t cellBackColor = 0xFFFFFF;                    // 9
    std::uint32_t cellTextColor = 0;                           // 10
    std::uint32_t focusCellColor = 0;                          // 11
    std::int32_t gridLines = 3;                                // 12: 0 none, 1 horizontal, 2 vertical, 3 both
    bool rowsResizable = true;                                 // 13
    bool columnsResizable = true;                              // 14
    std::int32_t rowHeight = 24;                               // 15
    std::int32_t columnWidth = 60;                             // 16
    std::int32_t rowCount = 5;                                 // 17
    std::int32_t columnCount = 5;                              // 18
    std::int32_t fixedRowCount = 1;                            // 19
    std::int32_t fixedColumnCount = 1;                         // 20
    bool editable = true;                                      // 21
    bool printDialog = true;                                   // 22
    bool selectionAllowed = false;                             // 23
    bool storedOption = true;                                  // 24
    std::uint32_t backColor = kSystemDefaultColor;             // 25
    std::int32_t storedSetting = 0;                            // 26
    std::int32_t frameSetting = 0;                             // 27
    std::int32_t enterMode = 0;                                // 28
    bool fixedCellClickSelects = true;                         // 29
    bool wholeRowSelection = false;                            // 30
    std::uint32_t selectionBackColor = kSystemHighlightColor;  // 31
    bool storedFlag = true;                                    // 32
    std::int32_t gridLineWidth = 0;                            // 33
    std::uint32_t selectionTextColor = 0;                      // 34
    bool showZeroValues = true;                                // 35
    std::uint32_t extraColor = 0xFFFFFF;                       // 36
    std::int32_t borderStyle = 1;                              // 37

    bool operator==(const GridDesignData&) const = default;
};

template <>
std::optional<GridDesignData> decode<GridDesignData>(std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> encode(const GridDesignData& data);

}  // namespace veltrano::classdata
