#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace veltrano::test {

// The first address a 32-bit word cannot hold.
inline constexpr std::uintptr_t kFourGigabytes = std::uintptr_t{1} << 32;

inline bool liesAboveFourGigabytes(const void* address) noexcept {
    return reinterpret_cast<std::uintptr_t>(address) >= kFourGigabytes;
}

struct AddressReservation {
    std::uint64_t bytes = 0;
    std::size_t regions = 0;
};

// Reserves every free range below 4 GB of a process, inaccessible, so that
// whatever the process is given from then on lies above 4 GB and an address
// cut to 32 bits points at nothing. The ranges stay reserved for the
// process's life on purpose: nothing gives them back.
AddressReservation reserveLowAddressSpace(HANDLE process);
// The same for this process.
AddressReservation reserveLowAddressSpace();

// One region as the system describes it.
struct MemoryRegion {
    std::uintptr_t base = 0;
    std::uintptr_t allocationBase = 0;
    std::size_t size = 0;
    DWORD state = 0;
    DWORD protection = 0;
    DWORD type = 0;
};

// The regions of a process that start below the limit, free ones included.
std::vector<MemoryRegion> memoryRegions(HANDLE process, std::uintptr_t limit = UINTPTR_MAX);

}  // namespace veltrano::test
