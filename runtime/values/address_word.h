#pragma once

#include <concepts>
#include <cstdint>

namespace veltrano {

// A word that carries an address is as wide as an address: on x86-64 a
// 32-bit word would cut off where the system is free to place memory.
using AddressWord = std::uintptr_t;

inline AddressWord addressWord(const void* address) noexcept {
    return reinterpret_cast<AddressWord>(address);
}

// Only a full address word turns back into an address, so a 32-bit word can
// never be taken for one by an implicit widening.
template <typename T, typename Word>
requires std::same_as<Word, AddressWord> T* addressFromWord(Word word) noexcept {
    return reinterpret_cast<T*>(word);
}

// Values travel as two 32-bit words (low, high). An address fills the low
// word on a 32-bit target and both words on a 64-bit one, so the 12-byte
// value layout stays the same on both.
constexpr AddressWord joinAddressWords(std::uint32_t low, [[maybe_unused]] std::uint32_t high) noexcept {
    if constexpr (sizeof(AddressWord) > 4) {
        return static_cast<AddressWord>((static_cast<std::uint64_t>(high) << 32) | low);
    } else {
        return low;
    }
}

struct SplitAddress {
    std::uint32_t low = 0;
    std::uint32_t high = 0;
};

constexpr SplitAddress splitAddressWord(AddressWord word) noexcept {
    if constexpr (sizeof(AddressWord) > 4) {
        return {static_cast<std::uint32_t>(word), static_cast<std::uint32_t>(static_cast<std::uint64_t>(word) >> 32)};
    } else {
        return {static_cast<std::uint32_t>(word), 0};
    }
}

}  // namespace veltrano
