#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "tools/emblem/emblem.h"

namespace veltrano::emblem {

// One icon image as an icon file and an icon resource both hold it: the
// device-independent bitmap header with the doubled height, the 24-bit
// colour rows bottom-up, then the transparency mask, every row padded to 4
// bytes. Transparent pixels are black in the colour rows, as the AND/XOR pair
// needs. Empty when the image is larger than an icon entry can describe
// (above 256 pixels a side) or its pixel and mask vectors do not match its
// size.
std::vector<std::uint8_t> encodeIconBitmap24(const MaskedImage& image);

// An icon file holding the images in the order given: the directory, one
// entry per image, then the bitmaps. Empty when there is no image or any
// image cannot be encoded.
std::vector<std::uint8_t> encodeIco24(std::span<const MaskedImage> images);

// An icon file with this one image.
std::vector<std::uint8_t> encodeIco24(const MaskedImage& image);

}  // namespace veltrano::emblem
