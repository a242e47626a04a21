#pragma once

#include <cstdint>
#include <vector>

namespace veltrano::test {

// A BMP file of width x height 24-bit pixels, each given as 0x00BBGGRR,
// rows listed top row first.
std::vector<std::uint8_t> bitmapFile(int width, int height, const std::vector<std::uint32_t>& pixels);

}  // namespace veltrano::test
