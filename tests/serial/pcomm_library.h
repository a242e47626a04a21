#pragma once

#include <windows.h>

#include <string>

#include "pcomm/include/pcomm.h"

namespace veltrano::serialtest {

// PCOMM.DLL as the program finds it: in DLL\ beside the running program,
// bound by name. Unloaded again on destruction.
class PcommLibrary {
public:
    PcommLibrary();
    ~PcommLibrary();
    PcommLibrary(const PcommLibrary&) = delete;
    PcommLibrary& operator=(const PcommLibrary&) = delete;

    bool loaded() const { return module_ != nullptr; }
    // Address of an export, or nullptr.
    FARPROC find(const char* name) const;

    PcommOpenFn open = nullptr;
    PcommIoctlFn ioctl = nullptr;
    PcommSetReadTimeoutsFn setReadTimeouts = nullptr;
    PcommIqueueFn iqueue = nullptr;
    PcommReadFn read = nullptr;
    PcommWriteFn write = nullptr;
    PcommCloseFn close = nullptr;

private:
    HMODULE module_ = nullptr;
};

}  // namespace veltrano::serialtest
