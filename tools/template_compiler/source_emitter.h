#pragma once

#include <string>

#include "tools/template_compiler/compiler.h"

namespace veltrano::tc {

struct EmitOptions {
    std::string cppNamespace;    // e.g. veltrano::main_window
    std::string headerInclude;   // how the generated source includes the header
    std::string definitionName;  // named in the "generated from" line
};

// The header: window and entry ids, one constant per named component (in the
// nested namespace `component`), kLastIdSerial, the handler table, and the
// segment's declaration.
std::string emitHeader(const CompiledWindow& window, const EmitOptions& options);
// The source holding the segment bytes.
std::string emitSource(const CompiledWindow& window, const EmitOptions& options);

}  // namespace veltrano::tc
