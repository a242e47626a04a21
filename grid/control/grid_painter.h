#pragma once

#include <windows.h>

#include <string>

namespace veltrano::grid {

class CGridCtrl;

// Paints the whole grid (cells, merged ranges, header cells, grid lines) on
// dc, which covers the client rectangle.
void paintGrid(const CGridCtrl& grid, HDC dc, const RECT& client);

// Inserts "\r\n" wherever the next character would pass width pixels;
// existing line breaks restart the measure.
std::wstring wrapText(HDC dc, const std::wstring& text, int width);

}  // namespace veltrano::grid
