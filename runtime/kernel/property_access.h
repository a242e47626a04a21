#pragma once

#include <cstdint>

#include "runtime/values/address_word.h"

namespace veltrano {

// The application's way to component properties, by (window id, component
// id, property index, array index); component id 0 is the window itself and
// array index -1 means no array element (it matters only for fonts).
//
// Read: integers and bools in the low word; long values in both words;
// texts and byte sets as the address of a new runtime block the caller owns
// and frees (runtime service 2025), null for an empty one; an address fills
// both words on a 64-bit target.
std::uint64_t readProperty(std::uint32_t windowId, std::uint32_t componentId, std::int32_t index,
                           std::int32_t arrayIndex);
// Write: texts and byte sets are passed by address and copied; an address
// fills both words on a 64-bit target (joinAddressWords).
void writeProperty(std::uint32_t windowId, std::uint32_t componentId, std::int32_t index, std::int32_t arrayIndex,
                   std::uint32_t low, std::uint32_t high);
// Writes a text or byte set given by its address.
inline void writePropertyAddress(std::uint32_t windowId, std::uint32_t componentId, std::int32_t index,
                                 std::int32_t arrayIndex, const void* address) {
    const SplitAddress words = splitAddressWord(addressWord(address));
    writeProperty(windowId, componentId, index, arrayIndex, words.low, words.high);
}

}  // namespace veltrano
