#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "runtime/template/window_template.h"

namespace veltrano {

// The inverse of readTemplateSegment: the directory (ids, then one zero slot
// per window) and each template's table (backups are not written). Nothing
// when the id and template counts differ or a length does not fit.
std::optional<std::vector<std::uint8_t>> writeTemplateSegment(const TemplateSegment& segment);

}  // namespace veltrano
