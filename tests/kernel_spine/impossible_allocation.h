#pragma once

#include <cstddef>
#include <limits>

namespace veltrano {

// More bytes than the heap can ever give, refused at once: nearly 2 GB is
// beyond a 32-bit process, and a 64-bit one is asked for nearly all of its
// address range (a merely huge request makes some heaps work for minutes
// before they say no).
inline constexpr std::size_t kImpossibleByteCount = sizeof(void*) > 4 ? std::numeric_limits<std::size_t>::max() - 0xFFFF
                                                                      : std::size_t{0x7FFFFFF0u};

}  // namespace veltrano
