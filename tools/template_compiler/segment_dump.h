#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace veltrano::tc {

// A readable, stable description of a template segment: every window, every
// entry with its fields, and the decoded class properties. Texts appear as
// UTF-8, byte blocks by length and FNV-1a hash. Nothing when the segment
// does not read.
std::optional<std::string> dumpSegment(std::span<const std::uint8_t> segment);

}  // namespace veltrano::tc
