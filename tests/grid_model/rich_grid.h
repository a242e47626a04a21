#pragma once

#include "grid/model/grid_model.h"
#include "grid/model/picture.h"

namespace veltrano::grid::testing {

// A grid that uses every part of the file: all settings away from their
// defaults, every column kind, list items, merges, texts, check states,
// pictures, fonts, every attribute list, formula and total rules.
GridModel makeRichGrid(PictureCodec& codec);

// Every value the file carries, compared field by field.
void expectSameFileContent(const GridModel& expected, const GridModel& actual, PictureCodec& codec);

}  // namespace veltrano::grid::testing
