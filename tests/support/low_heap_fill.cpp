#include "tests/support/low_heap_fill.h"

#include <windows.h>

#include <array>
#include <cstdlib>

#include "tests/support/low_address_space.h"

namespace veltrano::test {
namespace {

using Allocate = void* (*)(std::size_t);

// Sizes from 1 MiB down to the smallest block, close enough together that
// what one size leaves of a segment is smaller than the next size down:
// four sizes an octave for large blocks, eight for middling ones, every
// 16 bytes for the small ones a size-class allocator keeps apart.
constexpr std::size_t kSizeCount = 4 * 8 + 8 * 4 + 16 + 1;

constexpr std::array<std::size_t, kSizeCount> fillSizes() {
    std::array<std::size_t, kSizeCount> sizes{};
    std::size_t next = 0;
    for (std::size_t octave = std::size_t{1} << 20; octave > 4096; octave /= 2) {
        for (std::size_t step = 0; step < 4; ++step) sizes[next++] = octave - step * octave / 8;
    }
    for (std::size_t octave = 4096; octave > 256; octave /= 2) {
        for (std::size_t step = 0; step < 8; ++step) sizes[next++] = octave - step * octave / 16;
    }
    for (std::size_t size = 256; size >= 16; size -= 16) sizes[next++] = size;
    sizes[next++] = 1;
    return sizes;
}

// Blocks of one size until one comes from above 4 GB; that one is kept as
// well, since giving it back could hand a later caller its neighbour. True
// when the very first block already came from above.
bool fillWithSize(Allocate allocate, std::size_t size, HeapFill& fill) {
    for (bool first = true;; first = false) {
        void* block = allocate(size);
        if (block == nullptr || liesAboveFourGigabytes(block)) return first;
        fill.bytes += size;
        ++fill.blocks;
    }
}

// The passes end when a whole pass took nothing from below 4 GB: a block
// freed into a gap by the allocator's own bookkeeping is caught that way.
HeapFill fillLow(Allocate allocate) {
    constexpr auto sizes = fillSizes();
    constexpr int kMostPasses = 8;
    HeapFill fill;
    for (int pass = 0; pass < kMostPasses; ++pass) {
        bool allAbove = true;
        for (std::size_t size : sizes) allAbove = fillWithSize(allocate, size, fill) && allAbove;
        if (allAbove) break;
    }
    return fill;
}

void* fromProcessHeap(std::size_t size) {
    return HeapAlloc(GetProcessHeap(), 0, size);
}

}  // namespace

HeapFill fillLowProcessHeap() {
    return fillLow(&fromProcessHeap);
}

HeapFill fillLowRuntimeHeap() {
    // Called through a volatile pointer so that the compiler, which knows
    // malloc, cannot decide that blocks nobody reads need not be allocated.
    Allocate volatile allocate = &std::malloc;
    return fillLow(allocate);
}

}  // namespace veltrano::test
