#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace veltrano {

// Every dynamic block of the runtime comes from one heap. Texts placed in
// the application's constant data area may be passed wherever a block is
// expected: freeing them does nothing and reallocating copies them out.
class RuntimeHeap {
public:
    using FailureHandler = void (*)(std::size_t byteCount);  // must not return

    RuntimeHeap() = default;
    RuntimeHeap(HANDLE heap, FailureHandler onFailure) noexcept : heap_(heap), onFailure_(onFailure) {}

    void setHeap(HANDLE heap) noexcept { heap_ = heap; }
    HANDLE heap() const noexcept { return heap_; }
    void setFailureHandler(FailureHandler onFailure) noexcept { onFailure_ = onFailure; }

    void setConstantRange(const void* start, std::size_t size) noexcept;
    void clearConstantRange() noexcept { setConstantRange(nullptr, 0); }
    bool isConstant(const void* block) const noexcept;

    void* allocate(std::size_t byteCount);
    void* allocateQuietly(std::size_t byteCount) noexcept;
    void* reallocate(void* block, std::size_t byteCount);
    void free(void* block) noexcept;
    // Frees the elements of an array of texts or byte sets, then the array.
    void freeArray(std::uint32_t typeCode, void* array) noexcept;

private:
    [[noreturn]] void fail(std::size_t byteCount) const;

    HANDLE heap_ = nullptr;
    FailureHandler onFailure_ = nullptr;
    const std::uint8_t* constStart_ = nullptr;
    const std::uint8_t* constEnd_ = nullptr;
};

}  // namespace veltrano
