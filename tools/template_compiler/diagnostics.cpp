#include "tools/template_compiler/diagnostics.h"

namespace veltrano::tc {

std::string formatDiagnostics(const std::string& fileName, const std::vector<Diagnostic>& diagnostics) {
    std::string text;
    for (const Diagnostic& d : diagnostics) {
        text += fileName;
        if (d.line > 0) text += ":" + std::to_string(d.line);
        text += ": " + d.message + "\n";
    }
    return text;
}

}  // namespace veltrano::tc
