#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace veltrano::fuzz {

// Builds a small grid from the first bytes (its size, fixed rows and
// columns, hidden rows and columns, merged ranges, a focus cell, a selected
// block and the cells' texts), then walks the focus through the keys the
// bytes name, copies the block and parses the rest of the bytes as pasted
// text. Every key's target must be where a plain scan of the shown rows and
// columns puts it; the copied text must split back into the block's shown
// cells; the pasted cells must join back into the pasted text. Empty when
// all holds, otherwise what did not.
std::string checkGridKeys(std::span<const std::uint8_t> bytes);

}  // namespace veltrano::fuzz
