#pragma once

#include <string>
#include <string_view>

namespace veltrano::common_dialog {

// The file type filter as the file dialogs take it: description and pattern
// parts separated by "|", the list ended by "||". Trailing white space is
// dropped first; an empty filter stays empty (no filter at all).
std::string terminatedFilter(std::string_view filter);

// The 1-based filter the dialog starts on: FilterIndex + 1 with a filter,
// none (0) without one.
unsigned initialFilterNumber(std::string_view terminated, int filterIndex) noexcept;

// The default extension without leading dots: the dialogs append a dot of
// their own, so ".dat" would otherwise give names ending in "..da".
std::string_view bareExtension(std::string_view extension) noexcept;

}  // namespace veltrano::common_dialog
