#include "runtime/kernel/kernel_functions.h"

#include "runtime/kernel/runtime_application.h"

namespace veltrano {

AddressWord callKernelFunction(KernelFunction function, AddressWord argument) {
    RuntimeApplication& runtime = RuntimeApplication::current();
    switch (function) {
        case KernelFunction::RegisterExitHook: runtime.registerExitHook(reinterpret_cast<ExitHook>(argument)); return 0;
        case KernelFunction::InitialiseRuntime: runtime.initialiseRuntime(); return 0;
    }
    return 0;
}

}  // namespace veltrano
