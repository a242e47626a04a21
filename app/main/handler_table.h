#pragma once

namespace veltrano::app {

// The code base the window template's handler offsets are relative to.
const void* handlerTable();

}  // namespace veltrano::app
