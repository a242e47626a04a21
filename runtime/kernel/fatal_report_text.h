#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace veltrano {

// What the fatal error report needs to know about the windows to name the
// place of an error.
class LocationLookup {
public:
    virtual ~LocationLookup() = default;
    // Name of the window's entry 0; nothing when the window is not registered.
    virtual std::optional<std::string> windowEntryName(std::uint32_t windowId) const = 0;
    // Name of a component (0 = entry 0); nothing when it does not exist or is a menu item.
    virtual std::optional<std::string> componentName(std::uint32_t windowId, std::uint32_t componentId) const = 0;
};

std::string buildLocationText(const LocationLookup& lookup, std::uint32_t firstId, std::uint32_t secondId);

// The text of the report box: heading, code, message, location.
std::string buildFatalReportText(std::string_view message, std::int32_t code, std::string_view location);

// Messages of the numbered runtime errors 1..11; empty for any other number.
std::string_view numberedErrorMessage(int number) noexcept;

}  // namespace veltrano
