#include "grid/model/clipboard_text.h"

#include <utility>

namespace veltrano::grid {

std::string clipboardText(const GridModel& model, const std::optional<CellRange>& selection) {
    const CellAddress focus = model.focusCell();
    CellRange range{};
    if (selection) {
        range = *selection;
    } else if (model.isValid(focus)) {
        range = CellRange{focus.row, focus.column, focus.row, focus.column};
    } else {
        return {};
    }
    const bool everyCell = !model.settings().selectionAllowed;
    std::string text;
    for (std::int32_t row = range.top; row <= range.bottom; ++row) {
        if (model.rowHeight(row) == 0) continue;
        bool first = true;
        for (std::int32_t column = range.left; column <= range.right; ++column) {
            if (model.columnWidth(column) == 0) continue;
            if (!first) text += '\t';
            first = false;
            const bool wanted = everyCell || model.isSelected(row, column) || focus == CellAddress{row, column};
            // A selection the grid has since shrunk under gives empty fields
            // for the cells that went.
            const Cell* cell = wanted ? model.cell(row, column) : nullptr;
            if (cell != nullptr) text += cell->text;
        }
        if (row < range.bottom) text += "\r\n";
    }
    return text;
}

std::vector<PastedCell> pastedCells(std::wstring_view text, CellAddress first) {
    std::vector<PastedCell> cells;
    CellAddress at = first;
    std::wstring value;
    const auto fill = [&cells, &at, &value]() {
        cells.push_back(PastedCell{at, std::move(value)});
        value.clear();
    };
    for (std::size_t index = 0; index < text.size(); ++index) {
        const wchar_t character = text[index];
        if (character == L'\t') {
            fill();
            ++at.column;
        } else if (character == L'\r' || character == L'\n') {
            if (character == L'\r' && index + 1 < text.size() && text[index + 1] == L'\n') ++index;
            fill();
            ++at.row;
            at.column = first.column;
            if (index + 1 >= text.size()) return cells;
        } else {
            value += character;
        }
    }
    fill();
    return cells;
}

}  // namespace veltrano::grid
