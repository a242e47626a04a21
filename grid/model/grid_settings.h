#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace veltrano::grid {

struct AlternateColouring {
    bool on = false;
    bool byRows = true;
    std::uint32_t oddColour = 0xFFFFFF;
    std::uint32_t evenColour = 0xF0F0F0;

    friend bool operator==(const AlternateColouring&, const AlternateColouring&) = default;
};

inline constexpr std::array<std::int32_t, 7> kDefaultPageLayout{60, 60, 40, 40, 20, 20, 20};

// Grid-wide values. All but the last two travel in a table file.
struct GridSettings {
    std::uint32_t gridLineColour = 0xC0C0C0;
    std::uint32_t defaultBackgroundColour = 0xFFFFFF;
    std::uint32_t defaultTextColour = 0x000000;
    std::uint32_t focusFrameColour = 0x000000;
    std::int32_t gridLines = 3;
    bool rowsResizable = true;
    bool columnsResizable = true;
    bool editable = true;
    bool printDialog = true;
    bool selectionAllowed = true;
    bool storedOption = true;
    AlternateColouring alternate;
    // Carried unchanged through files; printing gives them meaning.
    std::string textSetting;
    std::string faceNameSetting;
    std::array<std::int32_t, 3> intSettings{};
    std::array<std::int32_t, 7> pageLayout = kDefaultPageLayout;

    std::int32_t gridLineWidth = 0;
    bool showZeroValues = true;

    friend bool operator==(const GridSettings&, const GridSettings&) = default;
};

}  // namespace veltrano::grid
