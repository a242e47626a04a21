#include "components/window/window_icons.h"

#include <vector>

#include "components/window/image_layout.h"

namespace veltrano {

win::UniqueIcon iconFromBytes(std::span<const std::uint8_t> bytes, int width, int height) {
    const auto image = bestIconImage(bytes, width, height);
    if (!image || image->length > 0x7FFFFFFF) return {};
    // The system may write to the buffer it is given; it gets a copy.
    std::vector<std::uint8_t> copy(bytes.begin() + static_cast<std::ptrdiff_t>(image->offset),
                                   bytes.begin() + static_cast<std::ptrdiff_t>(image->offset + image->length));
    return win::UniqueIcon(CreateIconFromResourceEx(copy.data(), static_cast<DWORD>(copy.size()), TRUE, 0x00030000,
                                                    width, height, LR_DEFAULTCOLOR));
}

}  // namespace veltrano
