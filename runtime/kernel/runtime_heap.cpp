#include "runtime/kernel/runtime_heap.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "runtime/values/type_codes.h"

namespace veltrano {

void RuntimeHeap::setConstantRange(const void* start, std::size_t size) noexcept {
    if (start == nullptr || size == 0) {
        constStart_ = constEnd_ = nullptr;
        return;
    }
    constStart_ = static_cast<const std::uint8_t*>(start);
    constEnd_ = constStart_ + size;
}

bool RuntimeHeap::isConstant(const void* block) const noexcept {
    const auto* p = static_cast<const std::uint8_t*>(block);
    return constStart_ != nullptr && p >= constStart_ && p < constEnd_;
}

void RuntimeHeap::fail(std::size_t byteCount) const {
    if (onFailure_) onFailure_(byteCount);
    std::abort();
}

namespace {

// The runtime keeps addresses in 32-bit words. A 64-bit build (the test
// vehicle) must treat a block beyond their reach as one it could not get.
bool reachableByRuntimeWords(const void* block, std::size_t byteCount) noexcept {
    if constexpr (sizeof(void*) > 4) {
        const auto end = reinterpret_cast<std::uintptr_t>(block) + byteCount;
        return end <= (std::uintptr_t{1} << 32) - 1;
    }
    return true;
}

}  // namespace

void* RuntimeHeap::allocateQuietly(std::size_t byteCount) noexcept {
    // A zero-byte request still yields a distinct block, as callers free it.
    const std::size_t size = byteCount == 0 ? 1 : byteCount;
    void* block = HeapAlloc(heap_, 0, size);
    if (block != nullptr && !reachableByRuntimeWords(block, size)) {
        HeapFree(heap_, 0, block);
        return nullptr;
    }
    return block;
}

void* RuntimeHeap::allocate(std::size_t byteCount) {
    void* block = allocateQuietly(byteCount);
    if (block == nullptr) fail(byteCount);
    return block;
}

void* RuntimeHeap::reallocate(void* block, std::size_t byteCount) {
    if (block == nullptr) return allocate(byteCount);
    if (isConstant(block)) {
        // A constant block has no recorded size: what lies between it and the
        // end of the constant area is all that can belong to it.
        auto* fresh = static_cast<std::uint8_t*>(allocate(byteCount));
        const auto available = static_cast<std::size_t>(constEnd_ - static_cast<const std::uint8_t*>(block));
        std::memcpy(fresh, block, std::min(byteCount, available));
        return fresh;
    }
    const std::size_t size = byteCount == 0 ? 1 : byteCount;
    void* moved = HeapReAlloc(heap_, 0, block, size);
    if (moved == nullptr) fail(byteCount);
    if (reachableByRuntimeWords(moved, size)) return moved;
    // Moved out of the runtime words' reach (64-bit build only): copy it back.
    void* fresh = allocateQuietly(size);
    if (fresh == nullptr) fail(byteCount);
    std::memcpy(fresh, moved, size);
    HeapFree(heap_, 0, moved);
    return fresh;
}

void RuntimeHeap::free(void* block) noexcept {
    if (block == nullptr || isConstant(block)) return;
    HeapFree(heap_, 0, block);
}

void RuntimeHeap::freeArray(std::uint32_t typeCode, void* array) noexcept {
    if (array == nullptr || isConstant(array)) return;
    const std::uint32_t element = arrayElementType(typeCode);
    if (element == type_code::kText || element == type_code::kByteSet) {
        const auto* words = static_cast<const std::uint32_t*>(array);
        const std::uint32_t dimensions = words[0];
        std::uint64_t count = 1;
        for (std::uint32_t d = 0; d < dimensions; ++d) count *= words[1 + d];
        auto* const* elements = reinterpret_cast<void* const*>(words + 1 + dimensions);
        for (std::uint64_t i = 0; i < count; ++i) free(elements[i]);
    }
    free(array);
}

}  // namespace veltrano
