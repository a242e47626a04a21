#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "runtime/kernel/runtime_heap.h"

namespace veltrano {

// A text is a heap block of code page 936 bytes with one terminating zero;
// the null address is the empty text, and producing an empty text yields null.
char* newText(RuntimeHeap& heap, std::string_view bytes);
std::string_view textView(const char* text) noexcept;

// A byte set is a heap block of the word 1, a 32-bit length and the bytes;
// the null address is the empty byte set.
std::uint8_t* newByteSet(RuntimeHeap& heap, std::span<const std::uint8_t> bytes);
std::span<const std::uint8_t> byteSetView(const void* byteSet) noexcept;

}  // namespace veltrano
