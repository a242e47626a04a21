#pragma once

#include "grid/model/log_font.h"
#include "grid/model/picture.h"

#include <cstdint>
#include <memory>
#include <string>

namespace veltrano::grid {

inline constexpr std::uint32_t kStateFocused = 0x01;
inline constexpr std::uint32_t kStateSelected = 0x02;
inline constexpr std::uint32_t kStateDropHighlighted = 0x04;
inline constexpr std::uint32_t kStateReadOnly = 0x08;
inline constexpr std::uint32_t kStateFixed = 0x10;
inline constexpr std::uint32_t kStateModified = 0x20;
inline constexpr std::uint32_t kStateCovered = 0x40;

// Text-drawing flags of the window system.
inline constexpr std::uint32_t kFormatLeft = 0x000;
inline constexpr std::uint32_t kFormatCentre = 0x001;
inline constexpr std::uint32_t kFormatRight = 0x002;
inline constexpr std::uint32_t kFormatVerticalCentre = 0x004;
inline constexpr std::uint32_t kFormatWordWrap = 0x010;
inline constexpr std::uint32_t kFormatSingleLine = 0x020;
inline constexpr std::uint32_t kFormatNoPrefix = 0x800;
inline constexpr std::uint32_t kDefaultFormat = kFormatNoPrefix | kFormatSingleLine | kFormatVerticalCentre;

// A colour that means "the grid's default".
inline constexpr std::uint32_t kDefaultColour = 0xFF000000;
inline constexpr std::uint32_t kLargestExplicitColour = 0x00FFFFFF;
inline constexpr std::int32_t kDefaultMargin = 9;

struct Cell {
    std::uint32_t state = 0;
    std::uint32_t format = kDefaultFormat;
    std::string text;
    std::int32_t imageIndex = -1;
    std::shared_ptr<Picture> picture;
    std::int32_t checkState = 0;
    std::int32_t masked = 0;
    std::int32_t mergeAnchor = 0;
    std::int32_t attributeB = 0;
    std::uint32_t backgroundColour = kDefaultColour;
    std::uint32_t textColour = kDefaultColour;
    std::uint32_t userValue = 0;
    LogFont font;
    std::int32_t margin = kDefaultMargin;
    // Kept for the window side; never written to a file.
    std::int32_t auxiliary1 = 0;
    std::int32_t auxiliary2 = 0;
};

}  // namespace veltrano::grid
