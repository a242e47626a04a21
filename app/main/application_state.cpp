#include "app/main/application_state.h"

#include "runtime/kernel/runtime_application.h"

namespace veltrano::app {

void ApplicationState::releaseCurrentFilePath() {
    if (currentFilePath != nullptr && RuntimeApplication::exists()) {
        RuntimeApplication::current().heap().free(currentFilePath);
    }
    currentFilePath = nullptr;
}

ApplicationState& applicationState() {
    static ApplicationState state;
    return state;
}

}  // namespace veltrano::app
