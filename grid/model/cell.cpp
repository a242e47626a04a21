#include "grid/model/cell.h"

namespace veltrano::grid {

const CellExtras& Cell::defaultExtras() {
    static const CellExtras kDefaults;
    return kDefaults;
}

CellExtras& Cell::editableExtras() {
    if (extras_.get() == nullptr) {
        extras_ = SharedCellExtras::holding(CellExtras{});
    } else if (extras_.sharedWithAnother()) {
        extras_ = SharedCellExtras::holding(*extras_.get());
    }
    return extras_.editable();
}

}  // namespace veltrano::grid
