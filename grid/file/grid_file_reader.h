#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "grid/model/grid_model.h"
#include "grid/model/picture.h"

namespace veltrano::grid::file {

enum class GridFileSection {
    FileLength,
    Header,
    Settings,
    RowHeights,
    ColumnWidths,
    ColumnTypes,
    Merges,
    Cells,
    Fonts,
    BackgroundColours,
    TextColours,
    Formats,
    AttributeB,
    Margins,
    Masked,
    States,
    FormulaRules,
    TotalRules,
};

std::string_view sectionName(GridFileSection section);

struct GridFileError {
    GridFileSection section = GridFileSection::FileLength;
    // Where the damaged item starts.
    std::size_t offset = 0;
    std::string reason;
};

struct GridFileReadResult {
    std::int32_t version = 0;
    std::optional<GridFileError> error;

    bool ok() const { return !error.has_value(); }
};

// Rebuilds grid from the bytes of a table file of version 1 to 6. The whole
// file is read into a fresh grid first; grid is replaced only when every
// section was read, and is untouched otherwise.
GridFileReadResult readGridFile(std::span<const std::uint8_t> bytes, GridModel& grid, PictureCodec& codec);

}  // namespace veltrano::grid::file
