#pragma once

#include <cstdint>

#include "runtime/values/address_word.h"

namespace veltrano {

// The numbered kernel functions the application's code reaches. The other
// numbers of the table serve facilities this program does not have.
enum class KernelFunction : int {
    RegisterExitHook = 3,
    InitialiseRuntime = 6,
};

// The argument is address-wide: registering an exit hook passes its address.
AddressWord callKernelFunction(KernelFunction function, AddressWord argument = 0);

}  // namespace veltrano
