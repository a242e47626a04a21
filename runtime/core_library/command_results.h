#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "runtime/values/type_codes.h"

// Writing a command's result triple. Texts and byte sets become new blocks
// on the runtime heap that the caller owns; empty ones are null.
namespace veltrano::core_library {

void setInteger(ValueTriple& result, std::int32_t value) noexcept;
void setBool(ValueTriple& result, bool value) noexcept;
void setDouble(ValueTriple& result, double value) noexcept;
void setText(ValueTriple& result, std::string_view bytes);
void setByteSet(ValueTriple& result, std::span<const std::uint8_t> bytes);

}  // namespace veltrano::core_library
