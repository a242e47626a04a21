#pragma once

#include <cstdint>
#include <ostream>

#include "grid/model/grid_model.h"
#include "grid/model/picture.h"

namespace veltrano::tools {

// A readable dump of a table: dimensions, sizes, column types, merges, rules,
// and every cell that holds content or an attribute other than its default.
// Texts are printed as UTF-8; a text that is not valid code page 936 is
// printed as hexadecimal bytes instead.
void writeTableJson(const grid::GridModel& grid, std::int32_t version, grid::PictureCodec& codec, std::ostream& out);

}  // namespace veltrano::tools
