#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace veltrano::grid::file {

inline constexpr std::array<std::uint8_t, 4> kMagic{0x51, 0x47, 0x52, 0x44};  // "QGRD"
inline constexpr std::int32_t kWrittenVersion = 6;
inline constexpr std::int32_t kOldestVersion = 1;
inline constexpr std::int32_t kNewestVersion = 6;

inline constexpr std::size_t kHeaderSize = 12;
// Shorter files are refused even when header and settings are complete.
inline constexpr std::size_t kMinimumFileLength = 540;

// Settings block sizes by version; versions 5 and 6 share the long block.
constexpr std::size_t settingsSize(std::int32_t version) {
    switch (version) {
        case 1: return 124;
        case 2: return 128;
        case 3: return 132;
        case 4: return 136;
        default: return 464;
    }
}

// From these versions on, a section or field exists.
inline constexpr std::int32_t kStateListVersion = 2;
inline constexpr std::int32_t kFormulaRulesVersion = 3;
inline constexpr std::int32_t kTotalRulesVersion = 4;
inline constexpr std::int32_t kCarriedSettingsVersion = 5;
inline constexpr std::int32_t kCountedTextVersion = 6;

inline constexpr std::size_t kTextSettingSize = 256;
inline constexpr std::size_t kFaceNameSettingSize = 32;

inline constexpr std::size_t kColumnTypeRecordSize = 40;
inline constexpr std::size_t kUnitTextSize = 8;
inline constexpr std::size_t kSecondTextSize = 12;
inline constexpr std::size_t kListItemSize = 100;
inline constexpr std::size_t kMergeRecordSize = 24;
inline constexpr std::size_t kOldCellTextSize = 256;
// Row, column, text length, one NUL, check state, picture size.
inline constexpr std::size_t kSmallestCountedCellRecord = 21;
// Row, column, 256-byte text, check state, picture size.
inline constexpr std::size_t kSmallestOldCellRecord = 272;
inline constexpr std::size_t kFontRecordSize = 68;
inline constexpr std::size_t kAttributeRecordSize = 12;
inline constexpr std::size_t kRuleRecordSize = 16;

}  // namespace veltrano::grid::file
