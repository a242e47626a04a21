#pragma once

#include <atomic>
#include <memory>

#include "tools/veltrano_module/module_line.h"
#include "tools/veltrano_module/port_list.h"

namespace veltrano::module {

// The serial ports of the system the tool runs on.
std::unique_ptr<LineOpener> makeSystemLineOpener();
std::unique_ptr<PortLister> makeSystemPortLister();

// Turns Ctrl-C into a request to stop that the sequences see between
// frames, instead of ending the process in the middle of one.
const std::atomic<bool>& stopOnInterrupt();

// Whether standard error is a terminal a progress display can redraw.
bool errorIsTerminal();

}  // namespace veltrano::module
