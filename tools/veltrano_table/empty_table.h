#pragma once

#include <cstdint>
#include <span>

namespace veltrano::tools {

// The table file the program saves on its first start: the key table with
// no codes, and the grid's look as the program's window gives it. An import
// without a table to start from begins with it, so that the program opens
// the result looking as it always does.
std::span<const std::uint8_t> emptyProgramTable();

}  // namespace veltrano::tools
