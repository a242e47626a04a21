#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "grid/model/cell_extras.h"
#include "grid/model/log_font.h"
#include "grid/model/picture.h"

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
struct Cell {
    std::uint32_t state = 0;
    std::uint32_t format = kDefaultFormat;
    std::int32_t checkState = 0;
    std::uint32_t backgroundColour = kDefaultColour;
    std::uint32_t textColour = kDefaultColour;
    std::string text;

    std::int32_t imageIndex() const { return extras().imageIndex; }
    const std::shared_ptr<Picture>& picture() const { return extras().picture; }
    std::int32_t masked() const { return extras().masked; }
    std::int32_t mergeAnchor() const { return extras().mergeAnchor; }
    std::int32_t attributeB() const { return extras().attributeB; }
    std::uint32_t userValue() const { return extras().userValue; }
    std::int32_t margin() const { return extras().margin; }
    const LogFont& font() const { return extras().font; }

    void setImageIndex(std::int32_t index) { changeExtra(&CellExtras::imageIndex, index); }
    void setPicture(std::shared_ptr<Picture> picture) { changeExtra(&CellExtras::picture, std::move(picture)); }
    void setMasked(std::int32_t masked) { changeExtra(&CellExtras::masked, masked); }
    void setMergeAnchor(std::int32_t anchor) { changeExtra(&CellExtras::mergeAnchor, anchor); }
    void setAttributeB(std::int32_t value) { changeExtra(&CellExtras::attributeB, value); }
    void setUserValue(std::uint32_t value) { changeExtra(&CellExtras::userValue, value); }
    void setMargin(std::int32_t margin) { changeExtra(&CellExtras::margin, margin); }
    void setFont(const LogFont& font) { changeExtra(&CellExtras::font, font); }

    // Whether both cells hold the very same extras record, which makes every
    // value in it equal without comparing them.
    bool sharesExtrasWith(const Cell& other) const { return extras_ == other.extras_; }
    // Takes all of other's extras at the price of a shared pointer.
    void shareExtrasOf(const Cell& other) { extras_ = other.extras_; }

private:
    const CellExtras& extras() const {
        const CellExtras* held = extras_.get();
        return held ? *held : defaultExtras();
    }
    static const CellExtras& defaultExtras();
    // The record this cell alone holds, copied first when it is shared.
    CellExtras& editableExtras();
    // A value equal to the one held changes nothing, which leaves a shared
    // record shared.
    template <typename Value>
    void changeExtra(Value CellExtras::*field, Value value) {
        if (!(extras().*field == value)) editableExtras().*field = std::move(value);
    }

    // Null while every value in it is the default.
    SharedCellExtras extras_;
};

// A large table is memory traffic over its cells: one cache line each in
// the 64-bit builds.
static_assert(sizeof(void*) != 8 || sizeof(std::string) != 32 || sizeof(Cell) == 64);

}  // namespace veltrano::grid
