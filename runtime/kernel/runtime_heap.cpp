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

void* RuntimeHeap::allocateQuietly(std::size_t byteCount) noexcept {
    // A zero-byte request still yields a distinct block, as callers free it.
    const std::size_t size = byteCount == 0 ? 1 : byteCount;
    return HeapAlloc(heap_, 0, size);
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
    return moved;
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
        // Elements are addresses, as wide as the target's; on a 64-bit target
        // an odd dimension count leaves them unaligned, so they are read bytewise.
        const auto* elements = reinterpret_cast<const std::uint8_t*>(words + 1 + dimensions);
        for (std::uint64_t i = 0; i < count; ++i) {
            void* block = nullptr;
            std::memcpy(&block, elements + i * sizeof block, sizeof block);
            free(block);
        }
    }
    free(array);
}

}  // namespace veltrano
