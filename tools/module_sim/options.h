#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tools/module_sim/clock.h"
#include "tools/module_sim/module.h"
#include "tools/module_sim/output_schedule.h"

namespace veltrano::modulesim {

struct Options {
    std::string linkPath;
    std::string logPath;
    std::string statusPath;
    std::string storePath;
    Millis quietGap{20};
    ModuleSettings module;
    OutputSettings output;
    // Fault: hang up after this many frames (0: never).
    long hangupAfter = 0;
    // Fault: hang up once this many read-back records have gone out (0:
    // never), so the line can be cut in the middle of a read-back, when the
    // program sends nothing.
    long hangupAfterRecords = 0;
};

// Parses the command line (without the program name). On a mistake returns
// nothing and sets `error`.
std::optional<Options> parseOptions(const std::vector<std::string>& arguments, std::string& error);

std::string usage();

}  // namespace veltrano::modulesim
