#include "components/support/property_values.h"

#include "runtime/kernel/component_class.h"

namespace veltrano::property_value {

std::string text(const RawValue& value) {
    const char* address = addressFromWord<const char>(value.word1);
    return address == nullptr ? std::string() : std::string(address);
}

std::vector<std::uint8_t> bytes(const RawValue& value) {
    const auto* address = addressFromWord<const std::uint8_t>(value.word1);
    if (address == nullptr || value.word2 == 0) return {};
    return std::vector<std::uint8_t>(address, address + value.word2);
}

RawValue ofText(const std::string& text) noexcept {
    return RawValue{addressWord(text.c_str()), 0};
}

RawValue ofBytes(const std::vector<std::uint8_t>& bytes) noexcept {
    if (bytes.empty()) return RawValue{};
    return RawValue{addressWord(bytes.data()), static_cast<std::uint32_t>(bytes.size())};
}

}  // namespace veltrano::property_value
