#include "runtime/kernel/runtime_text.h"

#include <cstring>

namespace veltrano {

char* newText(RuntimeHeap& heap, std::string_view bytes) {
    if (bytes.empty()) return nullptr;
    auto* text = static_cast<char*>(heap.allocate(bytes.size() + 1));
    std::memcpy(text, bytes.data(), bytes.size());
    text[bytes.size()] = '\0';
    return text;
}

std::string_view textView(const char* text) noexcept {
    return text == nullptr ? std::string_view{} : std::string_view{text};
}

std::uint8_t* newByteSet(RuntimeHeap& heap, std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) return nullptr;
    auto* block = static_cast<std::uint8_t*>(heap.allocate(8 + bytes.size()));
    const std::uint32_t header[2] = {1, static_cast<std::uint32_t>(bytes.size())};
    std::memcpy(block, header, sizeof header);
    std::memcpy(block + 8, bytes.data(), bytes.size());
    return block;
}

std::span<const std::uint8_t> byteSetView(const void* byteSet) noexcept {
    if (byteSet == nullptr) return {};
    const auto* block = static_cast<const std::uint8_t*>(byteSet);
    std::uint32_t length = 0;
    std::memcpy(&length, block + 4, sizeof length);
    return {block + 8, length};
}

}  // namespace veltrano
