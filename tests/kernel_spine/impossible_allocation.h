#pragma once

#include <cstddef>

namespace veltrano {

// More bytes than the heap can ever give: nearly 2 GB is beyond a 32-bit
// process, while a 64-bit one can have that much and needs a far larger ask.
inline constexpr std::size_t kImpossibleByteCount =
    sizeof(void*) > 4 ? static_cast<std::size_t>(1ull << 46) : std::size_t{0x7FFFFFF0u};

}  // namespace veltrano
