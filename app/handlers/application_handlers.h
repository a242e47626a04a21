#pragma once

#include <cstddef>

#include "runtime/kernel/event_handler.h"

namespace veltrano::app {

// The main window's event handlers in the order of the window template's
// handler numbers: the table the template's bindings point into.
const EventHandlerEntry* applicationHandlerTable();
std::size_t applicationHandlerCount();

// What the application holds globally, released by the exit hook.
void releaseApplication();

}  // namespace veltrano::app
