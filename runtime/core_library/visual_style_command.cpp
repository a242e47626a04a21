#include <memory>

#include "runtime/core_library/command_arguments.h"
#include "runtime/core_library/command_results.h"
#include "runtime/core_library/core_library.h"
#include "runtime/core_library/visual_style_hook.h"

namespace veltrano::core_library {
namespace {

// The hook is the calling thread's by nature (it sees that thread's window
// creation), so the one that is installed lives with the thread.
thread_local std::unique_ptr<VisualStyleHook> installedHook;

constexpr std::int32_t kFirstStyle = 1;
constexpr std::int32_t kLastStyle = 3;

}  // namespace

void SetVisualStyle(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments) {
    const CommandArguments in(count, arguments);
    const std::int32_t style = in.integer(0);

    bool released = false;
    if (installedHook) {
        released = installedHook->release();
        installedHook.reset();
    }
    if (style >= kFirstStyle && style <= kLastStyle) {
        installedHook = std::make_unique<VisualStyleHook>();
        setInteger(*result, installedHook->installed() ? 1 : 0);
        return;
    }
    setInteger(*result, released ? 1 : 0);
}

}  // namespace veltrano::core_library
