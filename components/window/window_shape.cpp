#include "components/window/window_shape.h"

#include <algorithm>

#include "components/window/shape_outlines.h"

namespace veltrano {
namespace {

win::UniqueRegion outlineRegion(int shape, int width, int height) {
    const auto outline = shapeOutline(shape, width, height);
    if (!outline || outline->empty()) return {};
    const win::MemoryDc memory(nullptr);
    if (!memory) return {};
    HDC dc = memory.get();
    BeginPath(dc);
    MoveToEx(dc, outline->front().x, outline->front().y, nullptr);
    for (std::size_t i = 1; i < outline->size(); ++i) LineTo(dc, (*outline)[i].x, (*outline)[i].y);
    CloseFigure(dc);
    EndPath(dc);
    return win::UniqueRegion(PathToRegion(dc));
}

}  // namespace

win::UniqueRegion windowShapeRegion(int shape, int width, int height) {
    switch (shape) {
        case 0: return {};
        case 1: return win::UniqueRegion(CreateEllipticRgn(0, 0, width, height));
        case 2: {
            const int corner = std::min(width / 5, height / 5);
            return win::UniqueRegion(CreateRoundRectRgn(0, 0, width, height, corner, corner));
        }
        case 3: {
            win::UniqueRegion outer(CreateEllipticRgn(0, 0, width, height));
            win::UniqueRegion inner(CreateEllipticRgn(width / 4, height / 4, width - width / 4, height - height / 4));
            if (!outer || !inner) return {};
            CombineRgn(outer.get(), outer.get(), inner.get(), RGN_DIFF);
            return outer;
        }
        default: return outlineRegion(shape, width, height);
    }
}

}  // namespace veltrano
