#include <iostream>

#include "grid/file/file_system.h"
#include "tools/veltrano_table/file_reason.h"
#include "tools/veltrano_table/output_buffer.h"
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
    tools::OutputBuffer output(stdout);
    std::ostream out(&output);
    const int code = tools::runTableTool(*arguments, out, std::cerr, *files);
    out.flush();
    if (output.error()) {
        std::cerr << "veltrano-table: cannot write to standard output"
                  << tools::reasonText(output.error(), tools::FileUse::Writing) << "\n";
        return code == tools::kExitOk ? tools::kExitDamaged : code;
    }
    return code;
}
