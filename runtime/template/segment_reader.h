#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "runtime/template/window_template.h"

namespace veltrano {

// Reads the window directory and every window template. Any short data, any
// impossible length or a record that does not parse (component or menu item
// layout by its id) fails the whole read. Handlers are left as offsets; see
// relocateHandlers.
std::optional<TemplateSegment> readTemplateSegment(std::span<const std::uint8_t> data);

}  // namespace veltrano
