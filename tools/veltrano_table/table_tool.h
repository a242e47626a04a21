#pragma once

#include <ostream>
#include <span>
#include <string>

#include "grid/file/file_system.h"

namespace veltrano::tools {

inline constexpr int kExitOk = 0;
inline constexpr int kExitDamaged = 1;
inline constexpr int kExitUsage = 2;

// veltrano-table show FILE | check FILE. The arguments follow the program
// name; file names are passed to the file system as they are.
int runTableTool(std::span<const std::string> arguments, std::ostream& out, std::ostream& err,
                 grid::file::FileSystem& files);

}  // namespace veltrano::tools
