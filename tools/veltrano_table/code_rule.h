#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace veltrano::tools {

// Why the program would refuse a key's code when it sends it, worded in
// English for the tool; nothing when the program takes it. The code is
// code page 936 text as the grid holds it; the reason is UTF-8.
std::optional<std::string> codeProblem(std::string_view code);

}  // namespace veltrano::tools
