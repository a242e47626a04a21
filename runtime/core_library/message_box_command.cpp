#include <string>

#include "runtime/commands/message_box_arguments.h"
#include "runtime/core_library/command_arguments.h"
#include "runtime/core_library/command_results.h"
#include "runtime/core_library/core_library.h"
#include "runtime/kernel/component_class.h"
#include "runtime/kernel/runtime_application.h"
#include "runtime/kernel/runtime_services.h"
#include "runtime/kernel/wide_text.h"
#include "runtime/kernel/window_object.h"
#include "runtime/values/class_ids.h"

namespace veltrano::core_library {
namespace {

// Without a named owner the box belongs to the window the user is working
// in, so it stays in front of it; with none active, to the runtime's hidden
// owner rather than the desktop.
HWND defaultOwner() {
    if (HWND active = GetActiveWindow(); active != nullptr) return active;
    if (RuntimeApplication::exists()) return RuntimeApplication::current().hiddenOwner();
    return nullptr;
}

HWND ownerFrom(const CommandArguments& in) {
    if (!in.given(3)) return defaultOwner();
    const ValueTriple& owner = in.triple(3);
    if (owner.type == class_id::kWindow) {
        WindowObject* window = services::componentObject(owner.low, 0);
        return window == nullptr ? nullptr : window->handle();
    }
    // A window handle given as an integer is widened by sign extension, as
    // every handle passed between 32- and 64-bit code.
    if (owner.type == type_code::kInteger) return static_cast<HWND>(LongToHandle(static_cast<LONG>(owner.low)));
    return nullptr;
}

}  // namespace

void MessageBox(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments) {
    const CommandArguments in(count, arguments);
    const std::wstring text = wideFromCodePage936(commands::message_box::shownText(in.value(0)));
    const std::wstring caption = wideFromCodePage936(commands::message_box::caption(in.optionalText(2)));
    const UINT style = commands::message_box::style(in.optionalInteger(1));
    const int button = MessageBoxW(ownerFrom(in), text.c_str(), caption.c_str(), style);
    setInteger(*result, commands::message_box::answer(button));
}

}  // namespace veltrano::core_library
