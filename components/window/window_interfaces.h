#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veltrano {

// The window class's interfaces beyond the ones every class has.
namespace window_interface {
inline constexpr int kIconBytes = 7;
inline constexpr int kTextConversion = 9;
}  // namespace window_interface

// Interface 7: the Icon bytes of a window's class data; empty when the data
// has none or cannot be read.
using IconBytesRoutine = std::vector<std::uint8_t> (*)(const std::uint8_t* classData, std::uint32_t classDataLength);

// Interface 9: every text of the class data passed through `convert`; the
// rewritten class data (newest version), or nothing when it cannot be read.
using TextConverter = std::string (*)(std::string_view text, void* context);
using TextConversionRoutine = std::optional<std::vector<std::uint8_t>> (*)(const std::uint8_t* classData,
                                                                          std::uint32_t classDataLength,
                                                                          TextConverter convert, void* context);

}  // namespace veltrano
