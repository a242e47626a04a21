#include "components/window/tray_tip.h"

#include <cstdint>

namespace veltrano {
namespace {

bool leadByte(char byte) noexcept {
    const auto value = static_cast<std::uint8_t>(byte);
    return value >= 0x81 && value <= 0xFE;
}

}  // namespace

std::string trayTip(std::string_view tip) {
    std::size_t end = 0;
    while (end < tip.size()) {
        const std::size_t width = leadByte(tip[end]) && end + 1 < tip.size() ? 2 : 1;
        if (end + width > kTrayTipMaxBytes) break;
        end += width;
    }
    return std::string(tip.substr(0, end));
}

}  // namespace veltrano
