#include "runtime/loading/load_plan.h"

#include <algorithm>

#include "runtime/template/component_record.h"

namespace veltrano {
namespace {

constexpr std::uint32_t kFirstControlId = 100;
constexpr std::uint32_t kControlIdStep = 10;

CreationStep stepFor(std::size_t index, std::uint32_t id, const ComponentRecord& record, std::uint32_t flags,
                     bool isWindow, bool reload) {
    CreationStep step;
    step.index = index;
    step.id = id;
    step.classId = record.classId;
    step.classFlags = flags;
    step.left = record.left;
    step.top = record.top;
    step.width = record.width;
    step.height = record.height;
    step.classData = record.classData;
    if (flags & class_flag::kNeverVisible) {
        step.startVisible = false;
    } else if (isWindow && reload) {
        step.startVisible = true;
    } else {
        step.startVisible = record.visible();
        if (record.disabled()) step.style |= creation_style::kDisabled;
    }
    if (record.tabStop()) step.style |= creation_style::kTabStop;
    return step;
}

}  // namespace

std::optional<LoadPlan> planWindowLoad(const ComponentTable& table, const ClassFlagsLookup& classFlags, bool reload) {
    if (table.empty()) return std::nullopt;
    const std::size_t count = table.count();

    std::vector<std::optional<ComponentRecord>> records(count);
    for (std::size_t i = 0; i < count; ++i) {
        if (table.isMenuItemAt(i)) continue;
        const auto bytes = table.recordAt(i);
        if (!bytes) return std::nullopt;
        records[i] = ComponentRecord::parse(*bytes);
        if (!records[i]) return std::nullopt;
    }
    if (!records[0]) return std::nullopt;

    LoadPlan plan;
    std::vector<std::size_t> order{0};
    for (std::size_t i = count; i-- > 1;) order.push_back(i);

    std::uint32_t nextControlId = kFirstControlId;
    for (std::size_t index : order) {
        if (!records[index]) continue;
        const auto flags = classFlags(records[index]->classId);
        if (!flags) return std::nullopt;
        CreationStep step = stepFor(index, table.idAt(index), *records[index], *flags, index == 0, reload);
        if (index != 0) {
            step.controlId = nextControlId;
            nextControlId += kControlIdStep;
        }
        plan.steps.push_back(step);
    }

    for (std::size_t i = 1; i < count; ++i) {
        if (!records[i]) continue;
        ParentLink link{i, std::nullopt};
        if (records[i]->parentId != 0) link.parentIndex = table.indexOf(records[i]->parentId);
        plan.parents.push_back(link);
    }

    // Each entry goes right behind the nearest earlier sibling, or on top.
    for (const ParentLink& link : plan.parents) {
        auto group = std::find_if(plan.stacking.begin(), plan.stacking.end(),
                                  [&](const auto& entry) { return entry.first == link.parentIndex; });
        if (group == plan.stacking.end()) {
            plan.stacking.push_back({link.parentIndex, {}});
            group = plan.stacking.end() - 1;
        }
        group->second.push_back(link.index);
    }

    for (const CreationStep& step : plan.steps) {
        if (!(step.classFlags & class_flag::kPagedContainer) || step.index == 0) continue;
        const std::vector<std::uint32_t> children = records[step.index]->childIds();
        for (std::uint32_t child : children) {
            if (child == 0 || pageOfChild(children, child).value_or(0) == 0) continue;
            if (const auto childIndex = table.indexOf(child)) plan.hiddenByPage.push_back(*childIndex);
        }
    }
    return plan;
}

std::optional<std::size_t> pageOfChild(std::span<const std::uint32_t> childIds, std::uint32_t childId) {
    if (childId == 0) return std::nullopt;
    std::size_t page = 0;
    for (std::uint32_t child : childIds) {
        if (child == 0) {
            ++page;
        } else if (child == childId) {
            return page;
        }
    }
    return std::nullopt;
}

}  // namespace veltrano
