#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "grid/model/picture.h"
#include "runtime/kernel/unique_handle.h"

namespace veltrano::grid {

// A cell picture as a bitmap the grid can draw, with the bytes it came from
// so that saving a table writes back exactly what was loaded.
class WinPicture final : public Picture {
public:
    WinPicture(win::UniqueBitmap bitmap, std::vector<std::uint8_t> bytes);

    HBITMAP bitmap() const { return bitmap_.get(); }
    int width() const { return width_; }
    int height() const { return height_; }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    win::UniqueBitmap bitmap_;
    std::vector<std::uint8_t> bytes_;
    int width_ = 0;
    int height_ = 0;
};

// Turns device-independent bitmap files into cell pictures and back.
class WinPictureCodec final : public PictureCodec {
public:
    std::shared_ptr<Picture> fromBytes(std::span<const std::uint8_t> bytes) override;
    std::vector<std::uint8_t> toBytes(const Picture& picture) override;
    std::shared_ptr<Picture> fromFile(const std::string& path) override;
};

// A bitmap as the bytes of a 24-bit bitmap file; empty on failure.
std::vector<std::uint8_t> bitmapFileBytes(HBITMAP bitmap);

}  // namespace veltrano::grid
