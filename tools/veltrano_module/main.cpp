#include <iostream>

#include "grid/file/file_system.h"
#include "tools/veltrano_module/exit_codes.h"
#include "tools/veltrano_module/module_tool.h"
#include "tools/veltrano_module/system_services.h"
#include "tools/veltrano_table/tool_entry.h"

int main(int argc, char** argv) {
    using namespace veltrano;
    const auto files = grid::file::makeSystemFileSystem();
    const auto lines = module::makeSystemLineOpener();
    const auto ports = module::makeSystemPortLister();
    module::ToolServices services{*lines, *ports, *files, module::stopOnInterrupt(), module::errorIsTerminal()};
    return tools::runCommandLineTool(argc, argv, "veltrano-module", {module::kExitUsage, module::kExitOutput},
                                     [&](std::span<const std::string> arguments, std::ostream& out) {
                                         return module::runModuleTool(arguments, out, std::cerr, services);
                                     });
}
