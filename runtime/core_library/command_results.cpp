#include "runtime/core_library/command_results.h"

#include <bit>

#include "runtime/kernel/component_class.h"
#include "runtime/kernel/runtime_application.h"
#include "runtime/kernel/runtime_text.h"

namespace veltrano::core_library {

void setInteger(ValueTriple& result, std::int32_t value) noexcept {
    result = {static_cast<std::uint32_t>(value), 0, type_code::kInteger};
}

void setBool(ValueTriple& result, bool value) noexcept {
    result = {value ? 1u : 0u, 0, type_code::kBool};
}

void setDouble(ValueTriple& result, double value) noexcept {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    result = {static_cast<std::uint32_t>(bits), static_cast<std::uint32_t>(bits >> 32), type_code::kDouble};
}

void setText(ValueTriple& result, std::string_view bytes) {
    result = ValueTriple::ofAddress(newText(RuntimeApplication::current().heap(), bytes), type_code::kText);
}

void setByteSet(ValueTriple& result, std::span<const std::uint8_t> bytes) {
    result = ValueTriple::ofAddress(newByteSet(RuntimeApplication::current().heap(), bytes), type_code::kByteSet);
}

}  // namespace veltrano::core_library
