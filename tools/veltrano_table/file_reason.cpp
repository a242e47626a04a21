#include "tools/veltrano_table/file_reason.h"

namespace veltrano::tools {
namespace {

std::string wording(std::error_code error, FileUse use) {
    const std::error_condition condition = error.default_error_condition();
    if (condition == std::errc::no_such_file_or_directory) {
        return use == FileUse::Reading ? "no such file" : "no such folder";
    }
    if (condition == std::errc::not_a_directory) return "no such folder";
    if (condition == std::errc::is_a_directory) return "is a folder";
    if (condition == std::errc::permission_denied || condition == std::errc::operation_not_permitted) {
        return "permission denied";
    }
    if (condition == std::errc::no_space_on_device) return "no space left";
    if (condition == std::errc::file_too_large) return "too large";
    if (condition == std::errc::read_only_file_system) return "the disk is read-only";
    if (condition == std::errc::device_or_resource_busy) return "in use by another program";
    if (condition == std::errc::filename_too_long) return "the name is too long";
    if (condition == std::errc::not_supported) return "not a plain file";
    if (condition == std::errc::not_enough_memory) return "out of memory";
    // Anything rarer in the system's own words, which start in upper case.
    std::string text = condition.message();
    if (!text.empty() && text[0] >= 'A' && text[0] <= 'Z') {
        text[0] = static_cast<char>(text[0] - 'A' + 'a');
    }
    return text;
}

}  // namespace

std::string reasonText(std::error_code error, FileUse use) {
    if (!error) {
        return {};
    }
    return ": " + wording(error, use);
}

}  // namespace veltrano::tools
