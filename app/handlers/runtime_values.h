#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/kernel/library_command.h"

namespace veltrano::app {

// Argument triples for library commands. A text argument points into the
// caller's string, which must outlive the call; commands copy what they keep.
ValueTriple integerArgument(std::int32_t value);
ValueTriple textArgument(const std::string& text);
// A component method's first argument.
ValueTriple componentArgument(std::uint32_t windowId, std::uint32_t componentId, std::uint32_t classId);

// Copies a runtime text block and frees it; null is the empty text.
std::string takeText(AddressWord address);
// The text of a command result; any other result type is the empty text
// (and a byte set result is freed all the same).
std::string takeTextResult(const ValueTriple& result);

}  // namespace veltrano::app
