#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "tools/template_compiler/definition.h"
#include "tools/template_compiler/diagnostics.h"

namespace veltrano::tc {

// Splits the definition text into header statements and component blocks.
// Lines: "# comment", "keyword arguments...", "Property = value...", and
// "component ID NAME", which opens a block. Bare words end at white space;
// quoted texts take \" \\ \n \r \t. A word starting with # ends the line.
std::optional<WindowDefinition> parseDefinition(std::string_view text, std::vector<Diagnostic>& diagnostics);

}  // namespace veltrano::tc
