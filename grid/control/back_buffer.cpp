#include "grid/control/back_buffer.h"

#include <algorithm>

namespace veltrano::grid {

BackBuffer::BackBuffer(HDC target, int width, int height)
    : dc_(target), bitmap_(CreateCompatibleBitmap(target, std::max(1, width), std::max(1, height))) {
    if (dc_ && bitmap_) selectBitmap_.emplace(dc_.get(), bitmap_.get());
}

}  // namespace veltrano::grid
