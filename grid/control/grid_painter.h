#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "grid/control/grid_geometry.h"
#include "grid/control/grid_pictures.h"
#include "grid/model/grid_model.h"

namespace veltrano::grid {

// What painting reads: the cells where they lie now, and the control's
// colours, sort mark and pictures.
struct GridPaintInput {
    const GridModel& model;
    GridGeometry geometry;
    COLORREF controlBackground = 0;
    COLORREF selectionBackground = 0;
    // Equal to the selection background it gives way to the system's
    // highlight text colour.
    COLORREF selectionText = 0;
    std::int32_t sortColumn = -1;
    bool sortAscending = true;
    HIMAGELIST images = nullptr;
    const CheckBoxPictures& checkBoxes;
};

// Paints the whole grid (cells, merged ranges, header cells, grid lines) on
// dc, which covers the client rectangle.
void paintGrid(const GridPaintInput& input, HDC dc, const RECT& client);

// What a cell shows as text (masked, with its unit, as a formatted date),
// or nothing for a date it cannot read.
std::optional<std::wstring> shownText(const GridModel& model, std::int32_t row, std::int32_t column, const Cell& cell);

// Inserts "\r\n" wherever the next character would pass width pixels;
// existing line breaks restart the measure.
std::wstring wrapText(HDC dc, const std::wstring& text, int width);

}  // namespace veltrano::grid
