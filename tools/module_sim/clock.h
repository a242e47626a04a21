#pragma once

#include <chrono>

namespace veltrano::modulesim {

// Every part of the simulator takes the time from its caller, so the framing
// and the module's behaviour can be checked with made-up times.
using Clock = std::chrono::steady_clock;
using TimePoint = Clock::time_point;
using Millis = std::chrono::milliseconds;

}  // namespace veltrano::modulesim
