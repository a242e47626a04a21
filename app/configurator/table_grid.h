#pragma once

#include <string>
#include <string_view>

namespace veltrano::configurator {

// The configuration table, through the grid's commands. Rows and columns
// are 0-based; texts are code page 936.
class TableGrid {
public:
    virtual ~TableGrid() = default;

    virtual void setRowCount(int rows) = 0;
    virtual void setColumnWidth(int column, int width) = 0;
    // A bottom row or right column beyond the grid is clamped to its last.
    virtual void centre(int top, int left, int bottom, int right) = 0;
    virtual void setCellText(int row, int column, std::string_view text) = 0;
    virtual void merge(int top, int left, int bottom, int right) = 0;
    // The empty text for an empty cell or one outside the grid.
    virtual std::string cellText(int row, int column) = 0;
    virtual void setCurrentCell(int row, int column) = 0;
    virtual void clearCells(int top, int left, int bottom, int right) = 0;
    virtual bool saveFile(std::string_view path) = 0;
    virtual bool loadFile(std::string_view path) = 0;

protected:
    TableGrid() = default;
    TableGrid(const TableGrid&) = default;
    TableGrid& operator=(const TableGrid&) = default;
};

}  // namespace veltrano::configurator
