#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace veltrano {

// Interface 9 of a component class: its class data with every text item
// passed through the caller's conversion. Nothing when the block does not
// read as the class's data.
inline constexpr int kTextConversionInterface = 9;
using TextItemConversion = std::string (*)(std::string_view text, void* context);
using TextConversionRoutine = std::optional<std::vector<std::uint8_t>> (*)(const std::uint8_t* classData,
                                                                           std::uint32_t length,
                                                                           TextItemConversion convert, void* context);

}  // namespace veltrano
