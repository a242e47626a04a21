#pragma once

#include <atomic>
#include <ostream>
#include <span>
#include <string>

#include "grid/file/file_system.h"
#include "tools/veltrano_module/module_line.h"
#include "tools/veltrano_module/port_list.h"

namespace veltrano::module {

// What the tool needs of the system it runs on.
struct ToolServices {
    LineOpener& lines;
    PortLister& ports;
    grid::file::FileSystem& files;
    // Set by Ctrl-C; every sequence looks at it between frames.
    const std::atomic<bool>& stop;
    // Whether standard error is a terminal, where progress is drawn.
    bool progressOnTerminal = false;
    // How long a module may take to answer beyond the protocol's pauses.
    Millis answerWithin{1000};
};

// veltrano-module and its commands (see usageText); the arguments follow
// the program name. Returns the exit code.
int runModuleTool(std::span<const std::string> arguments, std::ostream& out, std::ostream& err, ToolServices& services);

}  // namespace veltrano::module
