#pragma once

#include <string>
#include <string_view>

namespace veltrano::tools {

// A UTF-8 text as a JSON string, quotes included: quotes, backslashes and
// control characters are escaped, everything else passes unchanged.
std::string jsonString(std::string_view utf8);

}  // namespace veltrano::tools
