#pragma once

#include <cstdint>

namespace veltrano {

// The unload bookkeeping for a component (or, with the window's own id or 0,
// the window) whose system window is gone. Ignored while the component is
// being re-created.
void componentWindowGone(std::uint32_t windowId, std::uint32_t componentId);

}  // namespace veltrano
