#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "grid/model/grid_model.h"

namespace veltrano::grid {

class CGridCtrl;

// Paints the whole grid (cells, merged ranges, header cells, grid lines) on
// dc, which covers the client rectangle.
void paintGrid(const CGridCtrl& grid, HDC dc, const RECT& client);

// What a cell shows as text (masked, with its unit, as a formatted date),
// or nothing for a date it cannot read.
std::optional<std::wstring> shownText(const GridModel& model, std::int32_t row, std::int32_t column, const Cell& cell);

// Inserts "\r\n" wherever the next character would pass width pixels;
// existing line breaks restart the measure.
std::wstring wrapText(HDC dc, const std::wstring& text, int width);

}  // namespace veltrano::grid
