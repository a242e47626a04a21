#pragma once

#include <cstdint>
#include <vector>

#include "grid/file/byte_sink.h"
#include "grid/model/grid_model.h"
#include "grid/model/picture.h"

namespace veltrano::grid::file {

// Writes the whole grid as a version 6 table file; false when a write failed.
bool writeGridFile(const GridModel& grid, PictureCodec& codec, ByteSink& sink);

std::vector<std::uint8_t> gridFileBytes(const GridModel& grid, PictureCodec& codec);

}  // namespace veltrano::grid::file
