#include "components/edit_box/spin_buttons.h"

#include <commctrl.h>

namespace veltrano {

SpinButtons::~SpinButtons() {
    if (owner_ != nullptr) owner_->spinButtonsGone();
}

bool SpinButtons::onNotify(const NMHDR& header, LRESULT& result) {
    if (header.code != UDN_DELTAPOS) return false;
    // The control's own position change is always allowed.
    result = 0;
    const auto& change = reinterpret_cast<const NMUPDOWN&>(header);
    if (owner_ != nullptr && change.iDelta != 0) owner_->onSpin(change.iDelta > 0 ? 1 : -1);
    return true;
}

}  // namespace veltrano
