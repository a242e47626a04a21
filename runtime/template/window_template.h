#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/template/component_table.h"

namespace veltrano {

struct WindowTemplate {
    // Carried for the unit that defined the window; the runtime does not interpret them.
    std::uint32_t unitWord1 = 0;
    std::uint32_t unitWord2 = 0;
    std::string unitName;
    std::string unitComment;
    // The table in use; a loaded window works on it.
    ComponentTable table;
    // The pristine copy of `table` while the window is loaded, empty otherwise.
    ComponentTable backup;
};

// The windows of a template segment, in directory order: windowIds[i] is the
// id of templates[i].
struct TemplateSegment {
    std::vector<std::uint32_t> windowIds;
    std::vector<WindowTemplate> templates;
};

}  // namespace veltrano
