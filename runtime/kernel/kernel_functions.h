#pragma once

#include <cstdint>

namespace veltrano {

// The numbered kernel functions the application's code reaches. The other
// numbers of the table serve facilities this program does not have.
enum class KernelFunction : int {
    RegisterExitHook = 3,
    InitialiseRuntime = 6,
};

std::uint32_t callKernelFunction(KernelFunction function, std::uint32_t argument = 0);

}  // namespace veltrano
