#include "grid/model/byte_picture_codec.h"

#include <fstream>
#include <iterator>

namespace veltrano::grid {

std::shared_ptr<Picture> BytePictureCodec::fromBytes(std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) {
        return nullptr;
    }
    return std::make_shared<BytePicture>(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

std::vector<std::uint8_t> BytePictureCodec::toBytes(const Picture& picture) {
    if (const auto* held = dynamic_cast<const BytePicture*>(&picture)) {
        return held->bytes();
    }
    return {};
}

std::shared_ptr<Picture> BytePictureCodec::fromFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return nullptr;
    }
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad()) {
        return nullptr;
    }
    return fromBytes(bytes);
}

}  // namespace veltrano::grid
