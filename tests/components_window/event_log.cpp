#include "tests/components_window/event_log.h"

#include <algorithm>

namespace veltrano::test {
namespace {

EventLog* current = nullptr;

}  // namespace

EventLog::EventLog() {
    current = this;
    services::setEventObserver(&EventLog::observe);
}

EventLog::~EventLog() {
    services::setEventObserver(nullptr);
    current = nullptr;
}

bool EventLog::observe(SimpleEventRecord* simple, TypedEventRecord*) {
    if (current == nullptr || simple == nullptr) return false;
    FiredEvent event{simple->componentId, simple->eventNumber,
                     std::vector<EventWord>(simple->arguments, simple->arguments + simple->argumentCount)};
    current->events.push_back(event);
    if (!current->answer) return true;
    const auto result = current->answer(event);
    if (result) {
        simple->resultPresent = 1;
        simple->result = *result;
    }
    return true;
}

std::vector<std::int32_t> EventLog::numbers() const {
    std::vector<std::int32_t> out;
    for (const auto& e : events) out.push_back(e.number);
    return out;
}

std::vector<std::int32_t> EventLog::numbersAmong(std::initializer_list<std::int32_t> wanted) const {
    std::vector<std::int32_t> out;
    for (const auto& e : events) {
        if (std::find(wanted.begin(), wanted.end(), e.number) != wanted.end()) out.push_back(e.number);
    }
    return out;
}

const FiredEvent* EventLog::last(std::int32_t number) const {
    for (auto it = events.rbegin(); it != events.rend(); ++it) {
        if (it->number == number) return &*it;
    }
    return nullptr;
}

}  // namespace veltrano::test
