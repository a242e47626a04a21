#pragma once

#include <cstdint>

namespace veltrano::app {

// The application's constant data: the runtime learns its bounds at start-up,
// so these may be passed wherever a text or byte set is expected and freeing
// them does nothing.
struct ApplicationConstants {
    char emptyText[1];
    // An empty byte set: the word 1 and the length 0.
    std::uint32_t emptyByteSet[2];
};

extern const ApplicationConstants kConstants;

}  // namespace veltrano::app
