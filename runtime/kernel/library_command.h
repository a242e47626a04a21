#pragma once

#include <cstdint>
#include <span>

#include "runtime/values/type_codes.h"

namespace veltrano {

// A support library's command: writes its result (zeroed before the call)
// from `count` consecutive argument triples. Text and byte set results are
// new runtime blocks the caller owns; empty ones are null.
using LibraryCommand = void (*)(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments);

inline ValueTriple callLibraryCommand(LibraryCommand command, std::span<const ValueTriple> arguments) {
    ValueTriple result{};
    command(&result, static_cast<std::uint32_t>(arguments.size()), arguments.data());
    return result;
}

}  // namespace veltrano
