#include <iostream>

#include "grid/file/file_system.h"
#include "tools/veltrano_table/exit_codes.h"
#include "tools/veltrano_table/table_tool.h"
#include "tools/veltrano_table/tool_entry.h"

int main(int argc, char** argv) {
    using namespace veltrano;
    const auto files = grid::file::makeSystemFileSystem();
    return tools::runCommandLineTool(argc, argv, "veltrano-table", {tools::kExitUsage, tools::kExitDamaged},
                                     [&](std::span<const std::string> arguments, std::ostream& out) {
                                         return tools::runTableTool(arguments, out, std::cerr, *files);
                                     });
}
