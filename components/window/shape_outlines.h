#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace veltrano {

struct OutlinePoint {
    int x = 0;
    int y = 0;
};

inline constexpr int kFirstOutlineShape = 4;
inline constexpr int kLastOutlineShape = 29;

// The outline of window shape 4 to 29 scaled to an outer width and height:
// the table's coordinates 0..32767 stand for 0..width and 0..height.
// Nothing for shapes without an outline (0 to 3 and out of range).
std::optional<std::vector<OutlinePoint>> shapeOutline(int shape, int width, int height);

}  // namespace veltrano
