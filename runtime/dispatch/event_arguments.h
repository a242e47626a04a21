#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "runtime/values/address_word.h"

namespace veltrano {

// One word a handler receives: as wide as an address, since an argument may
// be the address of its value.
using EventWord = AddressWord;

// One argument of an event fired in the typed form.
struct TypedEventArgument {
    std::uint32_t low = 0;
    std::uint32_t high = 0;
    std::uint32_t type = 0;
    std::uint32_t flags = 0;
};

namespace event_argument_flag {
inline constexpr std::uint32_t kByAddress = 0x1;  // one word: the value's address, in low and high
inline constexpr std::uint32_t kTwoWords = 0x2;
}  // namespace event_argument_flag

// The words a handler receives for typed arguments, first argument first and
// each 64-bit value low word first, as the call lays them out in memory.
std::vector<EventWord> packTypedEventArguments(std::span<const TypedEventArgument> arguments);

}  // namespace veltrano
