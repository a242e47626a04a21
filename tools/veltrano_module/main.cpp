#include <iostream>

#include "grid/file/file_system.h"
#include "tools/veltrano_module/exit_codes.h"
#include "tools/veltrano_module/module_tool.h"
#include "tools/veltrano_module/system_services.h"
#include "tools/veltrano_table/tool_platform.h"

int main(int argc, char** argv) {
    using namespace veltrano;
    tools::useBinaryOutput();
    const auto arguments = tools::commandArguments(argc, argv);
    if (!arguments) {
        std::cerr << "veltrano-module: an argument cannot be written in code page 936\n";
        return module::kExitUsage;
    }
    const auto files = grid::file::makeSystemFileSystem();
    const auto lines = module::makeSystemLineOpener();
    const auto ports = module::makeSystemPortLister();
    module::ToolServices services{*lines, *ports, *files, module::stopOnInterrupt(), module::errorIsTerminal()};
    return module::runModuleTool(*arguments, std::cout, std::cerr, services);
}
