#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "runtime/kernel/runtime_services.h"

namespace veltrano::test {

struct FiredEvent {
    std::uint32_t componentId;
    std::int32_t number;
    std::vector<EventWord> arguments;
};

// Watches the events components fire while it lives and answers them as a
// handler would: `answer` gives the handler's result, or nothing for a
// handler that returns none.
class EventLog {
public:
    EventLog();
    ~EventLog();
    EventLog(const EventLog&) = delete;
    EventLog& operator=(const EventLog&) = delete;

    std::function<std::optional<std::uint32_t>(const FiredEvent&)> answer;
    std::vector<FiredEvent> events;

    // The numbers of the events fired so far, in order.
    std::vector<std::int32_t> numbers() const;
    // The numbers, leaving out what the window system causes on its own
    // (mouse moves, activation, showing).
    std::vector<std::int32_t> numbersAmong(std::initializer_list<std::int32_t> wanted) const;
    const FiredEvent* last(std::int32_t number) const;

private:
    static bool observe(SimpleEventRecord* simple, TypedEventRecord* typed);
};

}  // namespace veltrano::test
