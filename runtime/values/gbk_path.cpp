#include "gbk_path.h"

namespace veltrano {

std::size_t positionAfterLastBackslash(std::string_view path) noexcept {
    std::size_t after = 0;
    std::size_t i = 0;
    while (i < path.size()) {
        const auto byte = static_cast<unsigned char>(path[i]);
        if (byte >= 0x80) {
            i += 2;
            continue;
        }
        if (byte == '\\') after = i + 1;
        ++i;
    }
    return after;
}

SplitPath splitAtLastBackslash(std::string_view path) noexcept {
    const std::size_t after = positionAfterLastBackslash(path);
    if (after == 0) return {std::string_view{}, path};
    return {path.substr(0, after - 1), path.substr(after)};
}

}  // namespace veltrano
