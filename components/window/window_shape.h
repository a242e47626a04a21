#pragma once

#include "runtime/kernel/unique_handle.h"

namespace veltrano {

// The region of a window shape for an outer size: none for 0 (the plain
// rectangle), 1 ellipse, 2 rounded rectangle, 3 ring, 4 to 29 outlines.
win::UniqueRegion windowShapeRegion(int shape, int width, int height);

}  // namespace veltrano
