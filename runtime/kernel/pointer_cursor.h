#pragma once

#include <windows.h>

#include <cstdint>
#include <span>

namespace veltrano {

// A component's mouse-pointer block: a 32-bit pointer code, optionally
// followed by the bytes of a cursor (.cur) or icon (.ico) file, which then
// wins over the code. Codes: 0 the class's own pointer, 1 arrow, 2 cross,
// 3 text beam, 4 hourglass, 5 four-way size, 6 size north-east/south-west,
// 7 size north/south, 8 size north-west/south-east, 9 size west/east,
// 10 up arrow, 11 not allowed, 12 arrow with hourglass, 13 arrow with
// question mark, 14 hand.
//
// The cursor made from a block, owned by the caller (DestroyCursor); null
// for an empty block, code 0 without an image, an unknown code, or image
// bytes the system cannot read.
HCURSOR makePointerCursor(std::span<const std::uint8_t> block);

// The best image of a cursor or icon file for the system's cursor size, as
// a cursor with its hot spot (an icon's is its centre); null for bytes that
// are not such a file.
HCURSOR cursorFromFileImage(std::span<const std::uint8_t> file);

}  // namespace veltrano
