#pragma once

#include <cstddef>
#include <cstdint>

namespace veltrano::test {

struct HeapFill {
    std::uint64_t bytes = 0;
    std::size_t blocks = 0;
};

// Heap segments made before the low address space was reserved stay below
// 4 GB and keep serving blocks from there. These take what is left of them
// in blocks that are never freed, largest first, until a fresh block of
// every size comes from above 4 GB. Call them once, right after
// reserveLowAddressSpace(), before the code under test allocates anything.
HeapFill fillLowProcessHeap();
// The C runtime's heap: malloc, and operator new on top of it.
HeapFill fillLowRuntimeHeap();

}  // namespace veltrano::test
