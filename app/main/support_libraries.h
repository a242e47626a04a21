#pragma once

#include "runtime/kernel/application_descriptor.h"

namespace veltrano::app {

// The program's five support libraries in library-number order: the core
// library (the standard components), two without component classes here,
// the grid library, and one more without classes.
inline constexpr std::uint32_t kSupportLibraryCount = 5;
extern const LibraryDescriptor* const kSupportLibraries[kSupportLibraryCount];

}  // namespace veltrano::app
