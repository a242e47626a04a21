#include "grid/model/grid_commands.h"

#include <algorithm>
#include <string>

#include "grid/model/number_text.h"

namespace veltrano::grid {
namespace {

constexpr std::uint32_t kBaseLeft = kFormatNoPrefix | kFormatVerticalCentre | kFormatLeft;
constexpr std::uint32_t kBaseCentre = kFormatNoPrefix | kFormatVerticalCentre | kFormatCentre;
constexpr std::uint32_t kBaseRight = kFormatNoPrefix | kFormatVerticalCentre | kFormatRight;

// Single reals print with 6 significant digits, double reals with 13.
constexpr std::int32_t kSinglePrecision = 6;
constexpr std::int32_t kDoublePrecision = 13;

std::optional<std::string> valueText(const GridValue& value) {
    switch (value.type()) {
        case GridValue::Type::Text: return value.asText();
        case GridValue::Type::Byte: return std::to_string(value.asByte());
        case GridValue::Type::ShortInteger: return std::to_string(value.asShortInteger());
        case GridValue::Type::Integer: return std::to_string(value.asInteger());
        case GridValue::Type::LongInteger: return std::to_string(value.asLongInteger());
        case GridValue::Type::Single: return formatGeneral(static_cast<double>(value.asSingle()), kSinglePrecision);
        case GridValue::Type::Double: return formatGeneral(value.asDouble(), kDoublePrecision);
        default: return std::nullopt;
    }
}

}  // namespace

GridValue GridCommands::getCellData(std::int32_t row, std::int32_t column) const {
    const Cell* cell = model_.cell(row, column);
    if (!cell) {
        return model_.isPictureColumn(column) ? GridValue::bytes({}) : GridValue::logical(false);
    }
    if (model_.isFixedRow(row)) {
        return GridValue::text(cell->text);
    }
    if (model_.isCheckBoxColumn(column)) {
        return GridValue::logical(cell->checkState != 0);
    }
    if (model_.isPictureColumn(column)) {
        return GridValue::bytes(cell->picture() ? codec_.toBytes(*cell->picture()) : std::vector<std::uint8_t>{});
    }
    return GridValue::text(cell->text);
}

bool GridCommands::setCellData(std::int32_t row, std::int32_t column, std::int32_t kind, const GridValue& value) {
    if (!model_.isValid(row, column)) {
        return false;
    }
    switch (static_cast<CellDataKind>(kind)) {
        case CellDataKind::Text: return setTextData(row, column, value);
        case CellDataKind::CheckState:
            if (value.type() != GridValue::Type::Logical || !model_.isCheckBoxColumn(column)) {
                return false;
            }
            return model_.setCheckState(row, column, value.asLogical() ? 1 : 0);
        case CellDataKind::Picture: return setPictureData(row, column, value);
    }
    return false;
}

bool GridCommands::setTextData(std::int32_t row, std::int32_t column, const GridValue& value) {
    std::optional<std::string> text = valueText(value);
    if (!text) {
        return false;
    }
    const bool body = !model_.isFixedRow(row) && !model_.isFixedColumn(column);
    if (body && (model_.isPictureColumn(column) || model_.isCheckBoxColumn(column))) {
        return false;
    }
    if (body && value.type() == GridValue::Type::Text && model_.isNumericColumn(column)) {
        const std::string_view trimmed = withoutLeadingSpace(*text);
        if (trimmed.empty()) {
            text->clear();
        } else if (trimmed == "0") {
            text->assign(1, '0');
        } else if (leadingNumber(trimmed) == 0.0) {
            return false;
        }
    }
    // The model formats numbers by the column's decimals.
    return model_.setText(row, column, *text, true);
}

bool GridCommands::setPictureData(std::int32_t row, std::int32_t column, const GridValue& value) {
    if (!model_.isPictureColumn(column)) {
        return false;
    }
    std::shared_ptr<Picture> picture;
    if (value.type() == GridValue::Type::Bytes) {
        picture = codec_.fromBytes(value.asBytes());
    } else if (value.type() == GridValue::Type::Text) {
        picture = codec_.fromFile(value.asText());
    } else {
        return false;
    }
    if (!picture) {
        return false;
    }
    return model_.setPicture(row, column, std::move(picture));
}

bool GridCommands::setColumnWidth(std::int32_t column, std::int32_t width) {
    return model_.setColumnWidth(column, width, true);
}

std::optional<GridCommands::Range> GridCommands::clippedRange(std::int32_t top, std::int32_t left,
                                                              std::optional<std::int32_t> bottom,
                                                              std::optional<std::int32_t> right) const {
    Range range{top, left, bottom.value_or(top), right.value_or(left)};
    range.bottom = std::min(range.bottom, model_.rowCount() - 1);
    range.right = std::min(range.right, model_.columnCount() - 1);
    if (range.top < 0 || range.left < 0 || range.bottom < 0 || range.right < 0 || range.bottom < range.top ||
        range.right < range.left || !model_.isValid(range.top, range.left) ||
        !model_.isValid(range.bottom, range.right)) {
        return std::nullopt;
    }
    return range;
}

bool GridCommands::setAlignment(std::int32_t top, std::int32_t left, std::optional<std::int32_t> bottom,
                                std::optional<std::int32_t> right, std::optional<std::int32_t> alignment) {
    const std::optional<Range> range = clippedRange(top, left, bottom, right);
    if (!range) {
        return false;
    }
    std::uint32_t base = kBaseLeft;
    if (alignment == static_cast<std::int32_t>(Alignment::Centre)) {
        base = kBaseCentre;
    } else if (alignment == static_cast<std::int32_t>(Alignment::Right)) {
        base = kBaseRight;
    }
    for (std::int32_t row = range->top; row <= range->bottom; ++row) {
        for (std::int32_t column = range->left; column <= range->right; ++column) {
            const bool wraps = (model_.cell(row, column)->format & kFormatWordWrap) != 0;
            model_.setFormat(row, column, base | (wraps ? kFormatWordWrap : kFormatSingleLine));
        }
    }
    model_.propagateMergeAttributes();
    return true;
}

bool GridCommands::overlapsExistingMerge(const Range& range) const {
    const auto inside = [&range](std::int32_t row, std::int32_t column) {
        return row >= range.top && row <= range.bottom && column >= range.left && column <= range.right;
    };
    return std::any_of(model_.merges().begin(), model_.merges().end(), [&](const MergeRecord& merge) {
        const bool rowsWithin = merge.top > range.top && merge.bottom < range.bottom;
        const bool columnsWithin = merge.left > range.left && merge.right < range.right;
        return inside(merge.top, merge.left) || inside(merge.bottom, merge.right) ||
               (rowsWithin && merge.left < range.left && merge.right > range.right) ||
               (columnsWithin && merge.top < range.top && merge.bottom > range.bottom);
    });
}

MergeOutcome GridCommands::merge(std::int32_t top, std::int32_t left, std::optional<std::int32_t> bottom,
                                 std::optional<std::int32_t> right) {
    const Range range{top, left, bottom.value_or(top), right.value_or(left)};
    if (range.top < 0 || range.left < 0 || range.bottom < range.top || range.right < range.left ||
        (range.top == range.bottom && range.left == range.right) || range.bottom >= model_.rowCount() ||
        range.right >= model_.columnCount()) {
        return MergeOutcome::Refused;
    }
    const bool rowsFixed = model_.isFixedRow(range.bottom);
    const bool rowsScrolled = !model_.isFixedRow(range.top);
    const bool columnsFixed = model_.isFixedColumn(range.right);
    const bool columnsScrolled = !model_.isFixedColumn(range.left);
    if (!(rowsFixed || rowsScrolled) || !(columnsFixed || columnsScrolled)) {
        return MergeOutcome::Refused;
    }
    if (overlapsExistingMerge(range)) {
        model_.clearSelection();
        return MergeOutcome::OverlapRefused;
    }
    model_.removeMergesWithAnchor(range.top, range.left);
    model_.addMerge(MergeRecord{range.top, range.left, range.top, range.left, range.bottom, range.right});
    const LogFont anchorFont = model_.cell(range.top, range.left)->font();
    for (std::int32_t row = range.top; row <= range.bottom; ++row) {
        for (std::int32_t column = range.left; column <= range.right; ++column) {
            if (row == range.top && column == range.left) {
                continue;
            }
            model_.setFont(row, column, anchorFont);
            if (model_.isFixedRow(row) || model_.isFixedColumn(column)) {
                model_.setText(row, column, "", false);
            }
        }
    }
    return MergeOutcome::Merged;
}

bool GridCommands::clearCells(std::int32_t top, std::int32_t left, std::optional<std::int32_t> bottom,
                              std::optional<std::int32_t> right) {
    const std::optional<Range> range = clippedRange(top, left, bottom, right);
    if (!range) {
        return false;
    }
    for (std::int32_t row = range->top; row <= range->bottom; ++row) {
        for (std::int32_t column = range->left; column <= range->right; ++column) {
            model_.setText(row, column, "", true);
            model_.setPicture(row, column, nullptr);
            model_.setCheckState(row, column, 0);
        }
    }
    return true;
}

}  // namespace veltrano::grid
