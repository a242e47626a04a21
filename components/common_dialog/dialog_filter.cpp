#include "components/common_dialog/dialog_filter.h"

namespace veltrano::common_dialog {
namespace {

bool isWhiteSpace(char c) noexcept {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

}  // namespace

std::string terminatedFilter(std::string_view filter) {
    while (!filter.empty() && isWhiteSpace(filter.back())) filter.remove_suffix(1);
    std::string result(filter);
    if (!result.empty() && !result.ends_with("||")) result += "||";
    return result;
}

unsigned initialFilterNumber(std::string_view terminated, int filterIndex) noexcept {
    if (terminated.empty()) return 0;
    return filterIndex < 0 ? 1u : static_cast<unsigned>(filterIndex) + 1u;
}

std::string_view bareExtension(std::string_view extension) noexcept {
    while (!extension.empty() && extension.front() == '.') extension.remove_prefix(1);
    return extension;
}

}  // namespace veltrano::common_dialog
