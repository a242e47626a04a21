#pragma once

#include <ostream>
#include <span>
#include <string>

#include "grid/file/file_system.h"
#include "tools/veltrano_table/exit_codes.h"

namespace veltrano::tools {

// veltrano-table and its commands (see --help). The arguments follow the
// program name; file names are passed to the file system as they are.
int runTableTool(std::span<const std::string> arguments, std::ostream& out, std::ostream& err,
                 grid::file::FileSystem& files);

}  // namespace veltrano::tools
