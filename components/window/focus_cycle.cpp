#include "components/window/focus_cycle.h"

#include <algorithm>
#include <vector>

namespace veltrano {

std::optional<std::size_t> focusTarget(std::span<const FocusEntry> entries, std::optional<std::size_t> focused,
                                       bool forward) {
    std::vector<std::size_t> cycle;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].candidate) cycle.push_back(i);
    }
    if (cycle.empty()) return std::nullopt;
    std::stable_sort(cycle.begin(), cycle.end(),
                     [&](std::size_t a, std::size_t b) { return entries[a].tabOrder < entries[b].tabOrder; });
    const std::size_t count = cycle.size();

    if (focused && *focused < entries.size()) {
        const auto inCycle = std::find(cycle.begin(), cycle.end(), *focused);
        if (inCycle != cycle.end()) {
            const auto position = static_cast<std::size_t>(inCycle - cycle.begin());
            return forward ? cycle[(position + 1) % count] : cycle[(position + count - 1) % count];
        }
        const auto resume = std::find_if(cycle.begin(), cycle.end(), [&](std::size_t i) { return i <= *focused; });
        if (resume != cycle.end()) {
            const auto position = static_cast<std::size_t>(resume - cycle.begin());
            return forward ? cycle[position] : cycle[position == 0 ? count - 1 : position - 1];
        }
    }
    return forward ? cycle.front() : cycle.back();
}

}  // namespace veltrano
