#include "runtime/kernel/menu_bar.h"
#include "runtime/kernel/runtime_application.h"
#include "runtime/kernel/window_loader.h"

// The runtime's answers to its window objects. They live apart from the
// application's core because they stand on the loader and the menu bar,
// which themselves work on the application's state.
namespace veltrano {

HCURSOR RuntimeApplication::componentCursor(std::uint32_t windowId, std::uint32_t componentId) {
    return veltrano::componentCursor(*this, windowId, componentId);
}

bool RuntimeApplication::runMenuCommand(std::uint32_t windowId, UINT command) {
    return veltrano::runMenuCommand(*this, windowId, command);
}

void RuntimeApplication::componentWindowGone(std::uint32_t windowId, std::uint32_t componentId) {
    forgetComponentWindow(*this, windowId, componentId);
}

void RuntimeApplication::reportFailure(const char* what) noexcept {
    reportFatalError(what, 0, 0, 0);
}

}  // namespace veltrano
