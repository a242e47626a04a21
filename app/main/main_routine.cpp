#include "app/main/main_routine.h"

#include <cstdint>

#include "app/handlers/application_handlers.h"
#include "app/window/main_window_template.h"
#include "runtime/kernel/kernel_functions.h"
#include "runtime/kernel/runtime_application.h"

namespace veltrano::app {
namespace {

// Compiled code must start from a known processor state whatever ran before
// it: string operations count upwards and the FPU stack is empty.
void resetProcessorState() {
#if defined(__GNUC__) && (defined(__i386__) || defined(__x86_64__))
    __asm__ volatile("cld\n\tfninit" ::: "memory");
#elif defined(_MSC_VER) && defined(_M_IX86)
    __asm cld __asm fninit
#endif
}

}  // namespace

int applicationMain() {
    callKernelFunction(KernelFunction::InitialiseRuntime);
    resetProcessorState();
    callKernelFunction(KernelFunction::RegisterExitHook, reinterpret_cast<AddressWord>(&onApplicationExit));
    RuntimeApplication& runtime = RuntimeApplication::current();
    runtime.loadWindow(main_window::kWindowId);
    runtime.runMessageLoop();
    return 0;
}

void onApplicationExit(int) {
    releaseApplication();
}

}  // namespace veltrano::app
