#include "grid/model/cell.h"

namespace veltrano::grid {

const CellExtras& Cell::defaultExtras() {
    static const CellExtras kDefaults;
    return kDefaults;
}

CellExtras& Cell::editableExtras() {
    if (!extras_) {
        extras_ = std::make_shared<CellExtras>();
    } else if (extras_.use_count() > 1) {
        extras_ = std::make_shared<CellExtras>(*extras_);
    }
    return *extras_;
}

// A value equal to the one held changes nothing, which leaves a shared record
// shared.

void Cell::setImageIndex(std::int32_t index) {
    if (index != imageIndex()) editableExtras().imageIndex = index;
}

void Cell::setPicture(std::shared_ptr<Picture> picture) {
    if (picture != this->picture()) editableExtras().picture = std::move(picture);
}

void Cell::setMasked(std::int32_t masked) {
    if (masked != this->masked()) editableExtras().masked = masked;
}

void Cell::setMergeAnchor(std::int32_t anchor) {
    if (anchor != mergeAnchor()) editableExtras().mergeAnchor = anchor;
}

void Cell::setAttributeB(std::int32_t value) {
    if (value != attributeB()) editableExtras().attributeB = value;
}

void Cell::setUserValue(std::uint32_t value) {
    if (value != userValue()) editableExtras().userValue = value;
}

void Cell::setMargin(std::int32_t margin) {
    if (margin != this->margin()) editableExtras().margin = margin;
}

void Cell::setFont(const LogFont& font) {
    if (!(font == this->font())) editableExtras().font = font;
}

}  // namespace veltrano::grid
