#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "grid/model/cell.h"
#include "grid/model/cell_address.h"
#include "grid/model/cell_pool.h"
#include "grid/model/column_type.h"
#include "grid/model/grid_rules.h"
#include "grid/model/grid_settings.h"
#include "grid/model/log_font.h"

namespace veltrano::grid {

// What the window side measures when it gives the grid a font.
struct FontMetrics {
    std::int32_t externalLeading = 0;
    std::int32_t textHeight = 0;
    std::int32_t spaceWidth = 0;
    std::int32_t averageCharWidth = 0;
};

// The grid's content: dimensions, cells, column types, merged ranges and
// rules. Every cell operation validates its address and does nothing for an
// invalid one. Cells that were never touched share one default cell, so a
// large empty grid costs one pointer per cell.
class GridModel {
public:
    // Far beyond any table the program shows; bounds what a file may ask for.
    static constexpr std::int64_t kMaxCellCount = std::int64_t{1} << 22;
    static constexpr std::int32_t kMaxDimension = static_cast<std::int32_t>(kMaxCellCount);
    static constexpr std::int32_t kInitialDefaultRowHeight = 10;
    static constexpr std::int32_t kInitialDefaultColumnWidth = 30;
    // Bounds the work one change may cause through computed columns.
    static constexpr std::int32_t kMaxFormulaEvaluations = 100000;

    GridModel();
    GridModel(GridModel&&) noexcept;
    GridModel& operator=(GridModel&&) noexcept;
    GridModel(const GridModel&) = delete;
    GridModel& operator=(const GridModel&) = delete;
    ~GridModel();

    // A grid with this one's settings, font and default sizes but no rows,
    // columns, cells, column types, merges or rules; marked modified.
    GridModel emptyLike() const;

    // Dimensions.
    std::int32_t rowCount() const { return rowCount_; }
    std::int32_t columnCount() const { return columnCount_; }
    std::int32_t fixedRowCount() const { return fixedRowCount_; }
    std::int32_t fixedColumnCount() const { return fixedColumnCount_; }
    bool setRowCount(std::int32_t count);
    bool setColumnCount(std::int32_t count);
    // Grows the grid when more fixed rows or columns are asked for than exist.
    bool setFixedRowCount(std::int32_t count);
    bool setFixedColumnCount(std::int32_t count);

    std::int32_t defaultRowHeight() const { return defaultRowHeight_; }
    std::int32_t defaultColumnWidth() const { return defaultColumnWidth_; }
    void setDefaultRowHeight(std::int32_t height) { defaultRowHeight_ = height; }
    void setDefaultColumnWidth(std::int32_t width) { defaultColumnWidth_ = width; }

    // -1 for a row or column that does not exist.
    std::int32_t rowHeight(std::int32_t row) const;
    std::int32_t columnWidth(std::int32_t column) const;
    bool setRowHeight(std::int32_t row, std::int32_t height);
    // Unless forced, a width below the minimum is raised to it.
    bool setColumnWidth(std::int32_t column, std::int32_t width, bool force);
    std::int32_t minimumColumnWidth() const { return settings_.gridLineWidth + 6; }

    bool isValid(std::int32_t row, std::int32_t column) const {
        return row >= 0 && row < rowCount_ && column >= 0 && column < columnCount_;
    }
    bool isValid(CellAddress address) const { return isValid(address.row, address.column); }
    bool isFixedRow(std::int32_t row) const { return row < fixedRowCount_; }
    bool isFixedColumn(std::int32_t column) const { return column < fixedColumnCount_; }

    // Grid-wide values; writing them here changes no cell.
    GridSettings& settings() { return settings_; }
    const GridSettings& settings() const { return settings_; }
    // Stores the values and, when switched on, colours every non-fixed cell.
    void setAlternateColouring(const AlternateColouring& colouring);
    // Colours every non-fixed cell when alternate colouring is on; after a
    // change of size the new cells take their colours.
    void applyAlternateColouring();

    const LogFont& gridFont() const { return defaultCell_.font(); }
    // Cells still drawn in the previous grid font follow the new one.
    void setGridFont(const LogFont& font, const FontMetrics& metrics);

    // Null for an invalid address.
    const Cell* cell(std::int32_t row, std::int32_t column) const {
        if (!isValid(row, column)) {
            return nullptr;
        }
        const Cell* held = cells_[indexOf(row, column)];
        return held ? held : &defaultCell_;
    }
    const Cell& defaultCell() const { return defaultCell_; }

    // Numeric columns format the text by their decimals outside the fixed
    // rows; recalculate re-evaluates the computed columns fed by the column.
    bool setText(std::int32_t row, std::int32_t column, std::string_view text, bool recalculate);
    // Replacing a picture releases the previous one.
    bool setPicture(std::int32_t row, std::int32_t column, std::shared_ptr<Picture> picture);
    bool setCheckState(std::int32_t row, std::int32_t column, std::int32_t checkState);
    // setText, recalculating, then setCheckState, as a table file gives a
    // cell both: the cell is looked up once.
    bool setTextAndCheckState(std::int32_t row, std::int32_t column, std::string_view text, std::int32_t checkState);
    bool setFormat(std::int32_t row, std::int32_t column, std::uint32_t format);
    bool setBackgroundColour(std::int32_t row, std::int32_t column, std::uint32_t colour);
    bool setTextColour(std::int32_t row, std::int32_t column, std::uint32_t colour);
    bool setFont(std::int32_t row, std::int32_t column, const LogFont& font);
    // Keeps the selected-cell map in step with the selected bit.
    bool setState(std::int32_t row, std::int32_t column, std::uint32_t state);
    bool setMergeAnchor(std::int32_t row, std::int32_t column, std::int32_t anchor);
    bool setAttributeB(std::int32_t row, std::int32_t column, std::int32_t value);
    bool setMasked(std::int32_t row, std::int32_t column, std::int32_t masked);
    bool setMargin(std::int32_t row, std::int32_t column, std::int32_t margin);
    bool setImageIndex(std::int32_t row, std::int32_t column, std::int32_t index);
    bool setUserValue(std::int32_t row, std::int32_t column, std::uint32_t value);

    // Column types: the first descriptor of a column applies.
    const std::vector<ColumnType>& columnTypes() const { return columnTypes_; }
    void addColumnType(ColumnType type) { columnTypes_.push_back(std::move(type)); }
    void clearColumnTypes() { columnTypes_.clear(); }
    const ColumnType* columnType(std::int32_t column) const;
    ColumnKind columnKind(std::int32_t column) const;
    bool isCheckBoxColumn(std::int32_t column) const { return columnKind(column) == ColumnKind::CheckBox; }
    bool isPictureColumn(std::int32_t column) const { return columnKind(column) == ColumnKind::Picture; }
    bool isNumericColumn(std::int32_t column) const;
    std::int32_t decimals(std::int32_t column) const;
    // Only unit-number columns have one.
    std::string unitText(std::int32_t column) const;

    // Merged ranges.
    const std::vector<MergeRecord>& merges() const { return merges_; }
    // Appends the record, marks its anchor and covers the other cells.
    void addMerge(const MergeRecord& merge);
    void removeMergesWithAnchor(std::int32_t row, std::int32_t column);
    // Copies each anchor's font, colours, format, attribute B and masked flag
    // to the rest of its range.
    void propagateMergeAttributes();

    // Computed-column and total rules.
    const std::vector<FormulaRule>& formulaRules() const { return formulaRules_; }
    void addFormulaRule(const FormulaRule& rule) { formulaRules_.push_back(rule); }
    const std::vector<TotalRule>& totalRules() const { return totalRules_; }
    void addTotalRule(const TotalRule& rule) { totalRules_.push_back(rule); }
    void evaluateFormulas(std::int32_t row, std::int32_t changedColumn);

    // Selection and focus.
    CellAddress focusCell() const { return focus_; }
    void setFocusCell(CellAddress address);
    void clearSelection();
    bool selectRange(std::int32_t top, std::int32_t left, std::int32_t bottom, std::int32_t right);
    bool isSelected(std::int32_t row, std::int32_t column) const;
    std::size_t selectedCount() const { return selected_.size(); }

    bool modified() const { return modified_; }
    void setModified(bool modified) { modified_ = modified; }

private:
    std::size_t indexOf(std::int32_t row, std::int32_t column) const {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(columnCount_) +
               static_cast<std::size_t>(column);
    }
    Cell* editableCell(std::int32_t row, std::int32_t column);
    void releaseCells(std::size_t first, std::size_t last);
    void markModified(std::int32_t row, std::int32_t column, Cell& cell);
    // Into the cell's own string, whose memory a shorter text reuses.
    void storeText(std::int32_t row, std::int32_t column, std::string_view text, std::string& stored) const;
    void trackSelection(CellAddress address, bool selected);
    // Drops merges, selections and the focus that do not fit the new size.
    void forgetOutside(std::int32_t rows, std::int32_t columns);
    void evaluateFormulasFrom(std::int32_t row, std::int32_t column, std::vector<std::int32_t>& chain,
                              std::int32_t& budget);

    std::int32_t rowCount_ = 0;
    std::int32_t columnCount_ = 0;
    std::int32_t fixedRowCount_ = 0;
    std::int32_t fixedColumnCount_ = 0;
    std::int32_t defaultRowHeight_ = kInitialDefaultRowHeight;
    std::int32_t defaultColumnWidth_ = kInitialDefaultColumnWidth;
    std::vector<std::int32_t> rowHeights_;
    std::vector<std::int32_t> columnWidths_;
    // Row-major; null means the cell still equals defaultCell_. The cells
    // themselves live in pool_.
    std::vector<Cell*> cells_;
    CellPool pool_;
    Cell defaultCell_;
    GridSettings settings_;
    std::vector<ColumnType> columnTypes_;
    std::vector<MergeRecord> merges_;
    std::vector<FormulaRule> formulaRules_;
    std::vector<TotalRule> totalRules_;
    // Keys of different cells collide above row 0xFFFF, hence a multimap.
    std::unordered_multimap<std::uint32_t, CellAddress> selected_;
    CellAddress focus_ = kNoCell;
    bool modified_ = false;
};

}  // namespace veltrano::grid
