#pragma once

#include <windows.h>
#include <commctrl.h>

#include "runtime/kernel/unique_handle.h"

namespace veltrano::grid {

struct ImageListTraits {
    using Handle = HIMAGELIST;
    static Handle invalid() noexcept { return nullptr; }
    static void close(Handle h) noexcept { ImageList_Destroy(h); }
};
using UniqueImageList = win::UniqueHandle<ImageListTraits>;

// The check-box pictures of the program's resources, loaded once per grid.
class CheckBoxPictures {
public:
    static constexpr int kCheckedResource = 4000;
    static constexpr int kUncheckedResource = 5000;

    CheckBoxPictures();

    // Null when the program carries no such resource.
    HBITMAP picture(bool checked) const { return checked ? checked_.get() : unchecked_.get(); }

private:
    win::UniqueBitmap checked_;
    win::UniqueBitmap unchecked_;
};

}  // namespace veltrano::grid
