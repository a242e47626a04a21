#include "tests/support/low_address_space.h"

#include <algorithm>

namespace veltrano::test {
namespace {

std::uintptr_t roundUp(std::uintptr_t value, std::uintptr_t step) noexcept {
    return (value + step - 1) / step * step;
}
std::uintptr_t roundDown(std::uintptr_t value, std::uintptr_t step) noexcept {
    return value / step * step;
}

std::uintptr_t allocationGranularity() noexcept {
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    return system.dwAllocationGranularity;
}

std::uintptr_t lowestUsableAddress() noexcept {
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    return reinterpret_cast<std::uintptr_t>(system.lpMinimumApplicationAddress);
}

// A range the system reports free can still refuse a reservation as a whole
// (the system may keep parts of it for itself), so a refused range is split
// until the parts that can be had are had.
void reserveRange(HANDLE process, std::uintptr_t begin, std::uintptr_t end, std::uintptr_t granularity,
                  AddressReservation& done) {
    if (VirtualAllocEx(process, reinterpret_cast<void*>(begin), end - begin, MEM_RESERVE, PAGE_NOACCESS) != nullptr) {
        done.bytes += end - begin;
        ++done.regions;
        return;
    }
    if (end - begin <= granularity) return;
    const std::uintptr_t middle = begin + roundDown((end - begin) / 2, granularity);
    reserveRange(process, begin, middle, granularity, done);
    reserveRange(process, middle, end, granularity, done);
}

}  // namespace

std::vector<MemoryRegion> memoryRegions(HANDLE process, std::uintptr_t limit) {
    std::vector<MemoryRegion> regions;
    std::uintptr_t address = 0;
    MEMORY_BASIC_INFORMATION info{};
    while (address < limit &&
           VirtualQueryEx(process, reinterpret_cast<const void*>(address), &info, sizeof info) == sizeof info) {
        const auto base = reinterpret_cast<std::uintptr_t>(info.BaseAddress);
        regions.push_back({base, reinterpret_cast<std::uintptr_t>(info.AllocationBase), info.RegionSize, info.State,
                           info.Protect, info.Type});
        const std::uintptr_t next = base + info.RegionSize;
        if (next <= address) break;
        address = next;
    }
    return regions;
}

AddressReservation reserveLowAddressSpace(HANDLE process) {
    const std::uintptr_t granularity = allocationGranularity();
    // Below the lowest usable address a reservation at "address 0" would mean
    // "anywhere", which is the opposite of what is wanted.
    const std::uintptr_t floor = roundUp(std::max(lowestUsableAddress(), granularity), granularity);
    AddressReservation done;
    for (const MemoryRegion& region : memoryRegions(process, kFourGigabytes)) {
        if (region.state != MEM_FREE) continue;
        const std::uintptr_t begin = roundUp(std::max(region.base, floor), granularity);
        const std::uintptr_t end = roundDown(std::min(region.base + region.size, kFourGigabytes), granularity);
        if (begin < end) reserveRange(process, begin, end, granularity, done);
    }
    return done;
}

AddressReservation reserveLowAddressSpace() {
    return reserveLowAddressSpace(GetCurrentProcess());
}

}  // namespace veltrano::test
