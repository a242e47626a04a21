#pragma once

namespace veltrano::app {

// The application's own global values, shared by its handlers.
struct ApplicationState {
    char* currentFilePath = nullptr;  // runtime text; shown in the caption
    bool portOpen = false;
    int portNumber = -1;
    bool dataWaiting = false;
    bool extracting = false;

    void releaseCurrentFilePath();
};

ApplicationState& applicationState();

}  // namespace veltrano::app
