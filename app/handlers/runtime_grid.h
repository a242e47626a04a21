#pragma once

#include "app/configurator/table_grid.h"

namespace veltrano::app {

// The configuration table through the grid library's commands.
class RuntimeGrid final : public configurator::TableGrid {
public:
    void setRowCount(int rows) override;
    void setColumnWidth(int column, int width) override;
    void centre(int top, int left, int bottom, int right) override;
    void setCellText(int row, int column, std::string_view text) override;
    void merge(int top, int left, int bottom, int right) override;
    std::string cellText(int row, int column) override;
    void setCurrentCell(int row, int column) override;
    void clearCells(int top, int left, int bottom, int right) override;
    bool saveFile(std::string_view path) override;
    bool loadFile(std::string_view path) override;
};

}  // namespace veltrano::app
