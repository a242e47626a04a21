#include "runtime/kernel/kernel_functions.h"

#include "runtime/kernel/runtime_application.h"

namespace veltrano {

std::uint32_t callKernelFunction(KernelFunction function, std::uint32_t argument) {
    RuntimeApplication& runtime = RuntimeApplication::current();
    switch (function) {
        case KernelFunction::RegisterExitHook:
            runtime.registerExitHook(reinterpret_cast<ExitHook>(static_cast<std::uintptr_t>(argument)));
            return 0;
        case KernelFunction::InitialiseRuntime: runtime.initialiseRuntime(); return 0;
    }
    return 0;
}

}  // namespace veltrano
