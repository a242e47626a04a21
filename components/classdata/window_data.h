#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "components/classdata/codec.h"
#include "components/classdata/colors.h"

namespace veltrano::classdata {

// The window's own properties, 8 to 31 in this order.
struct WindowData {
    static constexpr std::uint32_t kNewestVersion = 6;

    std::string Caption;
    std::int32_t BorderStyle = 2;
    std::uint32_t BackColor = kSystemDefaultColor;
    std::vector<std::uint8_t> BackPicture;
    std::int32_t BackPictureMode = 1;
    std::vector<std::uint8_t> BackSound;
    std::int32_t SoundPlayMode = 0;
    bool ControlBox = true;
    bool MaxButton = false;
    bool MinButton = true;
    std::int32_t StartPosition = 1;
    bool Movable = true;
    std::vector<std::uint8_t> Icon;
    bool EnterMovesFocus = false;
    bool EscCloses = true;
    bool F1OpensHelp = false;
    std::string HelpFile;
    std::int32_t HelpContext = 0;
    bool ShowInTaskbar = true;
    bool DragAnywhere = false;
    std::int32_t Shape = 0;
    bool AlwaysOnTop = false;
    bool KeepTitleActive = false;
    std::string WindowClassName;

    bool operator==(const WindowData&) const = default;
};

template <>
std::optional<WindowData> decode<WindowData>(std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> encode(const WindowData& data);

}  // namespace veltrano::classdata
