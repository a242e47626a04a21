#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace veltrano::fuzz {

// Loads the bytes as a table file through the file seam. A refused file must
// leave the grid as it was; a loaded one, saved and loaded again, must give
// the same cells (loading may mark cells modified), and from the second save
// on the bytes must stay the same. Empty when all holds, otherwise what did
// not.
std::string checkGridFile(std::span<const std::uint8_t> bytes);

}  // namespace veltrano::fuzz
