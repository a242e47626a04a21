#pragma once

namespace veltrano::protocol {

// How long the module needs after each kind of frame before it takes the
// next. The module acknowledges nothing, so these pauses are the protocol:
// every front end that drives a module waits at least this long.
inline constexpr int kWaitAfterCommandMs = 100;
inline constexpr int kWaitAfterSlotMs = 50;
inline constexpr int kWaitAfterPortSettingMs = 150;
inline constexpr int kWaitAfterClearMs = 200;

// The receive step looks at the line this often, and reads what is waiting
// on the second look that finds it: a reply is judged whole once the line
// has been quiet about this long.
inline constexpr int kReceivePollMs = 10;

}  // namespace veltrano::protocol
