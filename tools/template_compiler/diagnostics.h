#pragma once

#include <string>
#include <vector>

namespace veltrano::tc {

struct Diagnostic {
    int line = 0;  // 1-based; 0 when the problem belongs to no line
    std::string message;
};

// "file:line: message", one per line.
std::string formatDiagnostics(const std::string& fileName, const std::vector<Diagnostic>& diagnostics);

}  // namespace veltrano::tc
