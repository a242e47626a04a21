#pragma once

#include <windows.h>

#include "runtime/kernel/window_object.h"

namespace veltrano {

class EditBoxObject;

// The up-down companion of an edit box: a sibling window whose presses the
// parent hands back here and which reports them to its edit box.
class SpinButtons : public WindowObject {
public:
    explicit SpinButtons(EditBoxObject& owner) noexcept : owner_(&owner) {}
    ~SpinButtons() override;

    // The edit box is going away first: stop reporting to it.
    void disown() noexcept { owner_ = nullptr; }

    bool onNotify(const NMHDR& header, LRESULT& result) override;

private:
    EditBoxObject* owner_;
};

}  // namespace veltrano
