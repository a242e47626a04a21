#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace veltrano::grid {

// A picture held by a cell. The model never looks inside; the window side
// supplies bitmaps, tests and tools supply plain byte holders.
class Picture {
public:
    virtual ~Picture() = default;
};

// Turns picture bytes into pictures and back. Files and the grid's commands
// reach pictures only through this, so the model stays free of graphics.
class PictureCodec {
public:
    virtual ~PictureCodec() = default;

    // Null when the bytes make no picture.
    virtual std::shared_ptr<Picture> fromBytes(std::span<const std::uint8_t> bytes) = 0;
    // The picture's bytes as they are written to a file; empty on failure.
    virtual std::vector<std::uint8_t> toBytes(const Picture& picture) = 0;
    // Loads a picture file named by GBK bytes; null when it cannot.
    virtual std::shared_ptr<Picture> fromFile(const std::string& path) = 0;
};

}  // namespace veltrano::grid
