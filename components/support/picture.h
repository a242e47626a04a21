#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>

#include "runtime/kernel/unique_handle.h"

namespace veltrano::drawing {

// A picture decoded from a component's picture bytes: a BMP file becomes a
// bitmap, an icon or cursor file an icon, any other format the system's
// imaging component reads (PNG, JPEG, GIF) a bitmap laid over a background
// colour. The picture owns its handle.
class Picture {
public:
    // Nothing when the bytes are no picture this decoder reads. Transparent
    // parts take `background`, or the face colour when it is not given.
    static std::optional<Picture> decode(std::span<const std::uint8_t> bytes);
    static std::optional<Picture> decode(std::span<const std::uint8_t> bytes, COLORREF background);

    bool isIcon() const noexcept { return static_cast<bool>(icon_); }
    HBITMAP bitmap() const noexcept { return bitmap_.get(); }
    HICON icon() const noexcept { return icon_.get(); }
    SIZE size() const noexcept { return size_; }

    // Draws the picture stretched to the rectangle.
    void draw(HDC dc, const RECT& target) const;

private:
    win::UniqueBitmap bitmap_;
    win::UniqueIcon icon_;
    SIZE size_{};
};

}  // namespace veltrano::drawing
