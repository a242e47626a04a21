#pragma once

#include <windows.h>

#include <optional>

#include "runtime/kernel/unique_handle.h"

namespace veltrano::grid {

// A memory device context with a bitmap of the client's size selected, so a
// frame is composed off screen and shown in one copy.
class BackBuffer {
public:
    BackBuffer(HDC target, int width, int height);

    // False when the system gave no context or bitmap: paint directly then.
    bool ready() const { return dc_ && bitmap_ && selectBitmap_ && selectBitmap_->selected(); }
    HDC dc() const { return dc_.get(); }

private:
    win::MemoryDc dc_;
    win::UniqueBitmap bitmap_;
    std::optional<win::SelectObjectGuard> selectBitmap_;
};

}  // namespace veltrano::grid
