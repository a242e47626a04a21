#include <objbase.h>

#include "runtime/kernel/runtime_application.h"

namespace veltrano {

void RuntimeApplication::shutdown(int exitCode) {
    raiseErrorDepth();
    if (mainThreadId_ != 0 && GetCurrentThreadId() != mainThreadId_) {
        // Windows belong to the main thread: hand the shutdown over to it.
        if (hiddenOwner_) {
            SendMessageW(hiddenOwner_.get(), private_message::kShutdownFromThread, static_cast<WPARAM>(exitCode), 0);
        }
        if (!exiting_) ExitProcess(static_cast<UINT>(exitCode));
        return;
    }
    if (exiting_) return;
    exiting_ = true;

    idleHandlers_.clear();
    registry_.clear();

    const std::vector<ExitHook> hooks = std::move(exitHooks_);
    exitHooks_.clear();
    for (std::size_t i = 0; i < hooks.size(); ++i) hooks[i](static_cast<int>(i));

    for (std::size_t i = 0; i < libraries_.size(); ++i) {
        const LibraryDescriptor* library = libraries_[i];
        if (library && library->notify) library->notify(library_notification::kShutdown, libraryData_[i], 0);
    }
    libraries_.clear();
    libraryData_.clear();

    dllCommands_.clear();
    heap_.clearConstantRange();
    destroyDefaultIcons();
    hiddenOwner_.reset();

    if (oleInitialised_) {
        OleUninitialize();
        oleInitialised_ = false;
    }
}

void RuntimeApplication::exitProcess(int exitCode) {
    shutdown(exitCode);
    ExitProcess(static_cast<UINT>(exitCode));
}

}  // namespace veltrano
