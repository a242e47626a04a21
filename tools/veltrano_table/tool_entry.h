#pragma once

#include <functional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

namespace veltrano::tools {

struct ToolExitCodes {
    int usage = 2;         // an argument the tool cannot take
    int outputFailed = 1;  // the tool worked but its standard output could not be written
};

using ToolBody = std::function<int(std::span<const std::string> arguments, std::ostream& out)>;

// The start of every command-line tool: arguments in the form the grid's
// file names take, standard output in binary. A write to standard output
// that fails (a full disk, a closed pipe) is named with its reason on
// standard error and never ends as a success: the tool's own failure code
// stands, otherwise outputFailed.
int runCommandLineTool(int argc, char** argv, std::string_view name, ToolExitCodes codes, const ToolBody& body);

}  // namespace veltrano::tools
