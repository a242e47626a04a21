#include "tools/veltrano_table/tool_entry.h"

#include <cstdio>
#include <iostream>

#include "tools/veltrano_table/file_reason.h"
#include "tools/veltrano_table/output_buffer.h"
#include "tools/veltrano_table/tool_platform.h"

namespace veltrano::tools {

int runCommandLineTool(int argc, char** argv, std::string_view name, ToolExitCodes codes, const ToolBody& body) {
    useBinaryOutput();
    const auto arguments = commandArguments(argc, argv);
    if (!arguments) {
        std::cerr << name << ": an argument cannot be written in code page 936\n";
        return codes.usage;
    }
    OutputBuffer output(stdout);
    std::ostream out(&output);
    const int code = body(*arguments, out);
    out.flush();
    if (output.error()) {
        std::cerr << name << ": cannot write to standard output" << reasonText(output.error(), FileUse::Writing)
                  << "\n";
        return code == 0 ? codes.outputFailed : code;
    }
    return code;
}

}  // namespace veltrano::tools
