#pragma once

#include <optional>
#include <string>
#include <vector>

namespace veltrano::tools {

// The command-line arguments after the program name, file names as the
// grid takes them; empty when an argument cannot be represented.
std::optional<std::vector<std::string>> commandArguments(int argc, char** argv);

// Standard output carries UTF-8 bytes unchanged.
void useBinaryOutput();

}  // namespace veltrano::tools
