#pragma once

#include <string>
#include <system_error>

#include "grid/file/file_system.h"
#include "grid/file/grid_file_reader.h"
#include "grid/model/grid_model.h"
#include "grid/model/picture.h"

namespace veltrano::grid::file {

// Writes the grid to a temporary file beside path and only then puts it in
// place of path. On any failure path keeps its previous content and no
// temporary file is left behind, and reason (when given) tells why, as far
// as the file system knows.
bool saveGridFile(const GridModel& grid, const std::string& path, FileSystem& files, PictureCodec& codec,
                  std::error_code* reason = nullptr);

// Replaces the grid with the file's content; false, with the grid unchanged,
// when the file cannot be read or is not a complete table file.
bool loadGridFile(GridModel& grid, const std::string& path, FileSystem& files, PictureCodec& codec);

}  // namespace veltrano::grid::file
