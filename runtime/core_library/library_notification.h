#pragma once

#include <cstdint>

#include "runtime/kernel/application_descriptor.h"

namespace veltrano::core_library {

// The core library's notification routine. Code 1 hands it the runtime
// service entry, which it keeps until code 6; code 2 offers the message at
// argument 2 to the pre-translation of the window object at argument 1 and
// answers 1 when that consumed it. Codes it does not know answer -1.
std::intptr_t notify(std::int32_t code, AddressWord argument1, AddressWord argument2);

// A service call through the entry the library was handed; a library that
// holds no entry yet answers 0 to every service.
std::int64_t callService(std::int32_t code, AddressWord argument1 = 0, AddressWord argument2 = 0);

}  // namespace veltrano::core_library
