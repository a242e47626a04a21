#pragma once

#include <string>

#include "grid/model/grid_model.h"
#include "grid/model/picture.h"

namespace veltrano::grid::testing {

// Code page 936 bytes of a UTF-8 literal; the same in both trees.
std::string gbk(const char8_t* utf8);

// The table grid as the main window's template creates it: 3 columns, one
// fixed row, two fixed columns, rows 24 pixels high.
GridModel makeWindowGrid();

// Builds the configuration table in the order the application does at
// start-up: rows, widths, alignment, headers, merged device groups with
// their names, key names.
void buildApplicationTable(GridModel& grid, PictureCodec& codec);

}  // namespace veltrano::grid::testing
