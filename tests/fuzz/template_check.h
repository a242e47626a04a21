#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace veltrano::fuzz {

// Reads the bytes as a window template segment. A segment that is read must
// have records whose every part lies inside them, must write back and read
// again to the same windows and tables, and must relocate every handler.
// Empty when all holds, otherwise what did not.
std::string checkTemplateSegment(std::span<const std::uint8_t> bytes);

}  // namespace veltrano::fuzz
