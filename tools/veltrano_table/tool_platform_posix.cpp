#include "tools/veltrano_table/tool_platform.h"

namespace veltrano::tools {

std::optional<std::vector<std::string>> commandArguments(int argc, char** argv) {
    std::vector<std::string> arguments;
    for (int index = 1; index < argc; ++index) {
        arguments.emplace_back(argv[index]);
    }
    return arguments;
}

void useBinaryOutput() {}

}  // namespace veltrano::tools
