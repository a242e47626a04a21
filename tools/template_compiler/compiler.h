#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/template_compiler/diagnostics.h"

namespace veltrano::tc {

// Handler i of the definition is stored as the offset i * kHandlerStride
// from the code base: the application points the code base at an array of
// handler entries, one 32-bit function pointer each on the target.
inline constexpr std::uint32_t kHandlerStride = 4;

struct ComponentSymbol {
    std::string name;  // UTF-8, as written in the definition
    std::uint32_t id = 0;
};

struct HandlerSymbol {
    std::string name;
    std::uint32_t offset = 0;
};

struct CompiledWindow {
    std::uint32_t windowId = 0;
    std::uint32_t entryId = 0;
    // The largest serial number (low 24 bits) over the window id and every entry id.
    std::uint32_t lastIdSerial = 0;
    std::size_t entryCount = 0;
    std::vector<ComponentSymbol> components;  // named entries, in table order
    std::vector<HandlerSymbol> handlers;      // in order of first use
    std::vector<std::uint8_t> segment;
};

// Compiles a window definition into its template segment. Every problem is
// reported with its line; nothing is produced when there is one.
std::optional<CompiledWindow> compileDefinition(std::string_view text, std::vector<Diagnostic>& diagnostics);

}  // namespace veltrano::tc
