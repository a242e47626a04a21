#pragma once

namespace veltrano::app {

// The application's main routine: initialises the runtime, loads the start
// window and runs the message loop until the program ends.
int applicationMain();

// Released by the runtime's shutdown: what the application holds globally.
void onApplicationExit(int hookIndex);

}  // namespace veltrano::app
