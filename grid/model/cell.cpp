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

}  // namespace veltrano::grid
