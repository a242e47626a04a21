#pragma once

#include <cstdint>
#include <vector>

#include "tools/emblem/emblem.h"

namespace veltrano::emblem {

// An icon file with one 24-bit image: the directory, one entry, then the
// device-independent bitmap (header with the doubled height, colour rows
// bottom-up, then the transparency mask), every row padded to 4 bytes.
// Transparent pixels are black in the colour rows, as the AND/XOR pair needs.
// Empty when the image is larger than an icon entry can describe.
std::vector<std::uint8_t> encodeIco24(const MaskedImage& image);

}  // namespace veltrano::emblem
