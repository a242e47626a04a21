#pragma once

#include <cstdint>

namespace veltrano {

struct ImageSection {
    const void* start = nullptr;
    std::uint32_t size = 0;
};

// The section of a loaded program image that holds the address: the whole
// read-only data section for a literal text, so that one constant object
// names the area every literal of the program lies in. Empty for an address
// outside every loaded image.
ImageSection imageSectionHolding(const void* address) noexcept;

}  // namespace veltrano
