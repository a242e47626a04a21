#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/kernel/component_class.h"

namespace veltrano {

// Interface numbers the edit box and combo box offer beyond the contract's.
namespace control_interface {
inline constexpr int kWantsKey = 8;
inline constexpr int kTextConversion = 9;
}  // namespace control_interface

// Interface 8: true when the component handles the key itself (the window
// then leaves it alone instead of treating it as a dialog key).
using WantsKeyRoutine = int (*)(WindowObject* object, unsigned virtualKey);

// Interface 9: reads class data, passes each of its texts through `convert`
// and answers the rewritten class data (newest version), or nothing when the
// block cannot be read.
using TextConverter = std::string (*)(std::string_view text, void* context);
using TextConversionRoutine = std::optional<std::vector<std::uint8_t>> (*)(const std::uint8_t* classData,
                                                                           std::uint32_t classDataLength,
                                                                           TextConverter convert, void* context);

}  // namespace veltrano
