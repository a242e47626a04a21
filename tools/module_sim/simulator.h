#pragma once

#include <string>

#include "tools/module_sim/options.h"

namespace veltrano::modulesim {

// Runs the module on its pseudo-terminal until SIGTERM or SIGINT arrives
// (the caller blocks both signals first, so none is lost before the loop
// waits for them) or the line is hung up on purpose. Returns the exit code:
// 0 on a clean end, 1 when the line or a file could not be set up.
int runSimulator(const Options& options);

// The state the status file shows, one item per line:
//   frames N / configuring 0|1 / block N / learn-requests N / hung-up 0|1
//   port-setting R1 R2 R3 R4 BINDING   (only once one was received)
//   typed HEX                          (one per code received, in order)
//   row N HEX                          (one per stored row, ascending)
std::string formatStatus(const class Module& module, bool hungUp);

}  // namespace veltrano::modulesim
