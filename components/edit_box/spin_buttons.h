#pragma once

#include <windows.h>

#include "runtime/kernel/window_object.h"

namespace veltrano {

// What the spin buttons report to: the edit box they belong to.
class SpinTarget {
public:
    // One press: +1 up, -1 down.
    virtual void onSpin(int direction) = 0;
    virtual void spinButtonsGone() noexcept = 0;

protected:
    ~SpinTarget() = default;
};

// The up-down companion of an edit box: a sibling window whose presses the
// parent hands back here and which reports them to its edit box.
class SpinButtons : public WindowObject {
public:
    explicit SpinButtons(SpinTarget& owner) noexcept : owner_(&owner) {}
    ~SpinButtons() override;

    // The edit box is going away first: stop reporting to it.
    void disown() noexcept { owner_ = nullptr; }

    bool onNotify(const NMHDR& header, LRESULT& result) override;

private:
    SpinTarget* owner_;
};

}  // namespace veltrano
