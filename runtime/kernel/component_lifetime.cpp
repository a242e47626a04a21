#include "runtime/kernel/component_lifetime.h"

#include "runtime/kernel/runtime_application.h"

namespace veltrano {

void componentWindowGone(std::uint32_t windowId, std::uint32_t componentId) {
    RuntimeApplication::serviceEntry(2000, windowId, componentId);
}

}  // namespace veltrano
