#pragma once

#include "grid/model/picture.h"

namespace veltrano::grid {

// A picture that is only its bytes: what a table file carries, without any
// decoding. Used where no window system is at hand (the table tool, tests).
class BytePicture final : public Picture {
public:
    explicit BytePicture(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

class BytePictureCodec final : public PictureCodec {
public:
    std::shared_ptr<Picture> fromBytes(std::span<const std::uint8_t> bytes) override;
    std::vector<std::uint8_t> toBytes(const Picture& picture) override;
    std::shared_ptr<Picture> fromFile(const std::string& path) override;
};

}  // namespace veltrano::grid
