#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "runtime/loading/class_flags.h"
#include "runtime/template/component_table.h"

namespace veltrano {

struct CreationStep {
    std::size_t index = 0;
    std::uint32_t id = 0;
    std::uint32_t classId = 0;
    std::uint32_t classFlags = 0;
    std::uint32_t controlId = 0;  // 0 for the window itself
    std::uint32_t style = 0;
    bool startVisible = false;
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::span<const std::uint8_t> classData;
};

// Who contains whom, once everything exists.
struct ParentLink {
    std::size_t index = 0;
    std::optional<std::size_t> parentIndex;  // nothing: the window itself
};

struct LoadPlan {
    std::vector<CreationStep> steps;  // in creation order: the window, then the last entry to the first
    std::vector<ParentLink> parents;  // in table order
    // Per parent, its children from top to bottom of the stacking order.
    std::vector<std::pair<std::optional<std::size_t>, std::vector<std::size_t>>> stacking;
    // Entries that must start hidden because they sit on a later page of a container.
    std::vector<std::size_t> hiddenByPage;
};

// The page a child sits on in a paged container's child list, whose pages
// are separated by 0 entries (the first page is 0); nothing when the list
// does not name the child.
std::optional<std::size_t> pageOfChild(std::span<const std::uint32_t> childIds, std::uint32_t childId);

// Looks up a class's flag word; nothing when the class does not exist.
using ClassFlagsLookup = std::function<std::optional<std::uint32_t>(std::uint32_t classId)>;

// Plans the creation of a window from its component table: order, control
// ids, visibility and style per entry, parents and stacking order. Nothing
// when the table is empty, a record does not parse, or a class is unknown.
std::optional<LoadPlan> planWindowLoad(const ComponentTable& table, const ClassFlagsLookup& classFlags, bool reload);

}  // namespace veltrano
