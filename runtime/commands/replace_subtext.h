#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace veltrano::commands {

// The optional arguments of ReplaceSubtext; an empty optional is an argument
// the caller left out.
struct ReplaceArguments {
    std::string_view replacement;
    std::optional<std::int32_t> start;  // 1-based; below 1 counts as 1
    std::optional<std::int32_t> count;  // occurrences to replace; -1 or below is all
    bool caseSensitive = false;
};

// Replaces occurrences of search in text, scanning from the start position
// one character at a time. Without caseSensitive, single-byte letters compare
// without case and double-byte characters through gbk::foldedDoubleByte.
std::string ReplaceSubtext(std::string_view text, std::string_view search, const ReplaceArguments& arguments = {});

}  // namespace veltrano::commands
