#pragma once

namespace veltrano {

// The runtime's own small application-object framework: the entry point
// hands control to the one application object, which decides whether a
// framework loop runs at all and always ends through its exit hook.
class ApplicationObject {
public:
    virtual ~ApplicationObject() = default;

    // Returns non-zero when the framework should run its own message loop.
    virtual int initInstance() = 0;
    // Runs when the instance ends; returns the process exit code.
    virtual int exitInstance() = 0;
    // The framework's own loop, entered only when initInstance asked for it.
    virtual int runFrameworkLoop() = 0;

    int run() {
        if (initInstance() != 0) runFrameworkLoop();
        return exitInstance();
    }
};

}  // namespace veltrano
