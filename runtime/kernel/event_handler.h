#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/dispatch/event_arguments.h"

namespace veltrano {

// What a handler hands back when it returns a value.
struct EventResult {
    bool present = false;
    std::uint32_t low = 0;
    std::uint32_t high = 0;
};

// An application event handler receives the event's argument words in order
// (the first argument first): a 64-bit number takes two words, its low half
// first, and an address one.
using EventHandler = void (*)(const EventWord* arguments, std::size_t wordCount, EventResult& result);

// The template binds events to offsets from the application's code base;
// the code base is a table of these entries, so a relocated handler is the
// address of its entry.
struct EventHandlerEntry {
    EventHandler function;
};

}  // namespace veltrano
