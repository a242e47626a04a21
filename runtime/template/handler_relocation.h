#pragma once

#include <cstdint>

#include "runtime/template/component_record.h"
#include "runtime/template/component_table.h"
#include "runtime/template/window_template.h"

namespace veltrano {

// codeBase + offset in 32-bit arithmetic; the "no handler" offset becomes 0.
constexpr std::uint32_t relocateHandler(std::uint32_t offset, std::uint32_t codeBase) noexcept {
    return offset == kNoHandler ? 0u : static_cast<std::uint32_t>(codeBase + offset);
}

// Rewrites every event binding of every entry (entry 0 included; a menu item
// has its one handler word) in index order. Answers false when a record does
// not parse; such a record is left as it is.
bool relocateHandlers(ComponentTable& table, std::uint32_t codeBase);
bool relocateHandlers(TemplateSegment& segment, std::uint32_t codeBase);

}  // namespace veltrano
