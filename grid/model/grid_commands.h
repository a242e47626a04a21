#pragma once

#include <cstdint>
#include <optional>

#include "grid/model/grid_model.h"
#include "grid/model/grid_value.h"
#include "grid/model/picture.h"

namespace veltrano::grid {

enum class CellDataKind : std::int32_t {
    Text = 1,
    CheckState = 5,
    Picture = 6,
};

enum class Alignment : std::int32_t {
    Centre = 2,
    Right = 3,
};

enum class MergeOutcome {
    Merged,
    Refused,
    // Refused because the range overlaps a merged one; the selection was
    // cleared, and whoever keeps a selected range of its own must drop it.
    OverlapRefused,
};

// The grid commands as they act on the model; the window side converts
// runtime values, redraws and raises events around them.
class GridCommands {
public:
    GridCommands(GridModel& model, PictureCodec& codec) : model_(model), codec_(codec) {}

    // Text, logical or byte set, by the row and the column's kind.
    GridValue getCellData(std::int32_t row, std::int32_t column) const;
    bool setCellData(std::int32_t row, std::int32_t column, std::int32_t kind, const GridValue& value);
    // Forced: the minimum column width does not apply.
    bool setColumnWidth(std::int32_t column, std::int32_t width);
    bool setAlignment(std::int32_t top, std::int32_t left, std::optional<std::int32_t> bottom,
                      std::optional<std::int32_t> right, std::optional<std::int32_t> alignment);
    MergeOutcome merge(std::int32_t top, std::int32_t left, std::optional<std::int32_t> bottom,
                       std::optional<std::int32_t> right);
    // True when a merged range was made.
    bool mergeCells(std::int32_t top, std::int32_t left, std::optional<std::int32_t> bottom,
                    std::optional<std::int32_t> right) {
        return merge(top, left, bottom, right) == MergeOutcome::Merged;
    }
    bool clearCells(std::int32_t top, std::int32_t left, std::optional<std::int32_t> bottom,
                    std::optional<std::int32_t> right);

private:
    struct Range {
        std::int32_t top;
        std::int32_t left;
        std::int32_t bottom;
        std::int32_t right;
    };

    // Missing corners default to the first; the far corner is clipped to the
    // grid; empty when the range is not made of valid cells.
    std::optional<Range> clippedRange(std::int32_t top, std::int32_t left, std::optional<std::int32_t> bottom,
                                      std::optional<std::int32_t> right) const;
    bool setTextData(std::int32_t row, std::int32_t column, const GridValue& value);
    bool setPictureData(std::int32_t row, std::int32_t column, const GridValue& value);
    bool overlapsExistingMerge(const Range& range) const;

    GridModel& model_;
    PictureCodec& codec_;
};

}  // namespace veltrano::grid
