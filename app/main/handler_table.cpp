#include "app/main/handler_table.h"

#include "app/handlers/application_handlers.h"
#include "app/window/main_window_template.h"
#include "runtime/kernel/event_handler.h"

namespace veltrano::app {

static_assert(sizeof(EventHandlerEntry) == main_window::kHandlerStride || sizeof(void*) != 4,
              "one handler entry per stride of the template's handler offsets");

const void* handlerTable() {
    return applicationHandlerTable();
}

}  // namespace veltrano::app
