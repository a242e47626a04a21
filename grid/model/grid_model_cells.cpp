#include "grid/model/grid_model.h"
#include "grid/model/number_text.h"

namespace veltrano::grid {

Cell* GridModel::editableCell(std::int32_t row, std::int32_t column) {
    if (!isValid(row, column)) {
        return nullptr;
    }
    Cell*& held = cells_[indexOf(row, column)];
    if (!held) {
        held = pool_.acquire(defaultCell_);
    }
    return held;
}

void GridModel::releaseCells(std::size_t first, std::size_t last) {
    for (std::size_t index = first; index < last; ++index) {
        pool_.release(cells_[index]);
        cells_[index] = nullptr;
    }
}

void GridModel::markModified(std::int32_t row, std::int32_t column, Cell& target) {
    // Row 0 and column 0 mark only the grid; the cell's own bit is kept for
    // cells inside the table body.
    if (row > 0 && column > 0) {
        target.state |= kStateModified;
    }
    modified_ = true;
}

void GridModel::storeText(std::int32_t row, std::int32_t column, std::string_view text, std::string& stored) const {
    const ColumnType* type = columnType(column);
    const bool numeric = type != nullptr && (type->kind == ColumnKind::Number || type->kind == ColumnKind::UnitNumber);
    // An empty numeric cell stays empty: it holds no number rather than zero.
    if (!numeric || isFixedRow(row) || !formatsDecimals(type->decimals) || text.empty()) {
        stored.assign(text);
        return;
    }
    const double value = leadingNumber(text);
    if (value == 0.0 && !settings_.showZeroValues) {
        stored.clear();
        return;
    }
    stored = formatFixed(value, type->decimals);
}

bool GridModel::setText(std::int32_t row, std::int32_t column, std::string_view text, bool recalculate) {
    Cell* target = editableCell(row, column);
    if (!target) {
        return false;
    }
    storeText(row, column, text, target->text);
    markModified(row, column, *target);
    if (recalculate) {
        evaluateFormulas(row, column);
    }
    return true;
}

bool GridModel::setTextAndCheckState(std::int32_t row, std::int32_t column, std::string_view text,
                                     std::int32_t checkState) {
    Cell* target = editableCell(row, column);
    if (!target) {
        return false;
    }
    storeText(row, column, text, target->text);
    markModified(row, column, *target);
    evaluateFormulas(row, column);
    // Pooled cells keep their addresses while formulas change others.
    target->checkState = checkState;
    return true;
}

bool GridModel::setPicture(std::int32_t row, std::int32_t column, std::shared_ptr<Picture> picture) {
    Cell* target = editableCell(row, column);
    if (!target) {
        return false;
    }
    target->setPicture(std::move(picture));
    return true;
}

bool GridModel::setCheckState(std::int32_t row, std::int32_t column, std::int32_t checkState) {
    Cell* target = editableCell(row, column);
    if (!target) {
        return false;
    }
    target->checkState = checkState;
    return true;
}

bool GridModel::setFormat(std::int32_t row, std::int32_t column, std::uint32_t format) {
    Cell* target = editableCell(row, column);
    if (!target) {
        return false;
    }
    target->format = format;
    return true;
}

bool GridModel::setBackgroundColour(std::int32_t row, std::int32_t column, std::uint32_t colour) {
    Cell* target = editableCell(row, column);
    if (!target) {
        return false;
    }
    target->backgroundColour = colour;
    return true;
}

bool GridModel::setTextColour(std::int32_t row, std::int32_t column, std::uint32_t colour) {
    Cell* target = editableCell(row, column);
    if (!target) {
        return false;
    }
    target->textColour = colour;
    return true;
}

bool GridModel::setFont(std::int32_t row, std::int32_t column, const LogFont& font) {
    Cell* target = editableCell(row, column);
    if (!target) {
        return false;
    }
    target->setFont(font);
    return true;
}

bool GridModel::setState(std::int32_t row, std::int32_t column, std::uint32_t state) {
    Cell* target = editableCell(row, column);
    if (!target) {
        return false;
    }
    target->state = state;
    // Loading sets the state of most cells of a large table while nothing
    // is selected: there is nothing to look up then.
    if ((state & kStateSelected) != 0 || !selected_.empty()) {
        trackSelection(CellAddress{row, column}, (state & kStateSelected) != 0);
    }
    return true;
}

bool GridModel::setMergeAnchor(std::int32_t row, std::int32_t column, std::int32_t anchor) {
    Cell* target = editableCell(row, column);
    if (!target) {
        return false;
    }
    target->setMergeAnchor(anchor);
    markModified(row, column, *target);
    return true;
}

bool GridModel::setAttributeB(std::int32_t row, std::int32_t column, std::int32_t value) {
    Cell* target = editableCell(row, column);
    if (!target) {
        return false;
    }
    target->setAttributeB(value);
    markModified(row, column, *target);
    return true;
}

bool GridModel::setMasked(std::int32_t row, std::int32_t column, std::int32_t masked) {
    Cell* target = editableCell(row, column);
    if (!target) {
        return false;
    }
    target->setMasked(masked);
    markModified(row, column, *target);
    return true;
}

bool GridModel::setMargin(std::int32_t row, std::int32_t column, std::int32_t margin) {
    Cell* target = editableCell(row, column);
    if (!target) {
        return false;
    }
    target->setMargin(margin);
    markModified(row, column, *target);
    return true;
}

bool GridModel::setImageIndex(std::int32_t row, std::int32_t column, std::int32_t index) {
    Cell* target = editableCell(row, column);
    if (!target) {
        return false;
    }
    target->setImageIndex(index);
    return true;
}

bool GridModel::setUserValue(std::int32_t row, std::int32_t column, std::uint32_t value) {
    Cell* target = editableCell(row, column);
    if (!target) {
        return false;
    }
    target->setUserValue(value);
    return true;
}

}  // namespace veltrano::grid
