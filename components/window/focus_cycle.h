#pragma once

#include <cstddef>
#include <optional>
#include <span>

namespace veltrano {

// One component of a window, in the order of the window's component list.
struct FocusEntry {
    bool candidate = false;  // visible, enabled, a tab stop, of a class Tab may visit
    int tabOrder = 0;
};

// Where Tab (forward) or Shift+Tab (backward) moves the focus: an index into
// `entries`, or nothing when no component can take it. `focused` is the
// focused component's index, or nothing when the focus is elsewhere.
//
// A focused component outside the cycle (a label, a disabled box) still has
// a place in the list: the cycle resumes from the first candidate not placed
// after it, so Tab continues where the user would expect.
std::optional<std::size_t> focusTarget(std::span<const FocusEntry> entries, std::optional<std::size_t> focused,
                                       bool forward);

}  // namespace veltrano
