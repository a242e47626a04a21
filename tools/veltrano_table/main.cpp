#include <iostream>

#include "grid/file/file_system.h"
#include "tools/veltrano_table/table_tool.h"
#include "tools/veltrano_table/tool_platform.h"

int main(int argc, char** argv) {
    using namespace veltrano;
    tools::useBinaryOutput();
    const auto arguments = tools::commandArguments(argc, argv);
    if (!arguments) {
        std::cerr << "veltrano-table: an argument cannot be written in code page 936\n";
        return tools::kExitUsage;
    }
    const auto files = grid::file::makeSystemFileSystem();
    return tools::runTableTool(*arguments, std::cout, std::cerr, *files);
}
