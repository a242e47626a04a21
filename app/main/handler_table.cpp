#include "app/main/handler_table.h"

#include <array>

#include "app/window/main_window_template.h"
#include "runtime/kernel/event_handler.h"

namespace veltrano::app {
namespace {

static_assert(sizeof(EventHandlerEntry) == main_window::kHandlerStride || sizeof(void*) != 4,
              "one handler entry per stride of the template's handler offsets");

// One entry per handler the window template binds, in the template's handler
// order. The configurator's handlers fill these as they are written; an
// entry without a function is an event nobody handles yet.
const std::array<EventHandlerEntry, main_window::kHandlerCount> kHandlers{};

}  // namespace

const void* handlerTable() { return kHandlers.data(); }

}  // namespace veltrano::app
