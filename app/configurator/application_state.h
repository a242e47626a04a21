#pragma once

#include <string>

namespace veltrano::configurator {

// The application's own global values, shared by its handlers.
struct ApplicationState {
    // Code page 936 path of the data file that save writes to; shown in the
    // caption once known.
    std::string currentFilePath;
    bool portOpen = false;
    // The number n of the open port "COM" n; -1 while none was tried.
    int portNumber = -1;
    // Bytes were seen waiting on the previous receive tick.
    bool dataWaiting = false;
    // A read-back from the module is in progress.
    bool extracting = false;
};

}  // namespace veltrano::configurator
