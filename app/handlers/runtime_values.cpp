#include "app/handlers/runtime_values.h"

#include "runtime/kernel/component_class.h"
#include "runtime/kernel/runtime_application.h"

namespace veltrano::app {

ValueTriple integerArgument(std::int32_t value) {
    return ValueTriple{static_cast<std::uint32_t>(value), 0, type_code::kInteger};
}

ValueTriple textArgument(const std::string& text) {
    return ValueTriple::ofAddress(text.c_str(), type_code::kText);
}

ValueTriple componentArgument(std::uint32_t windowId, std::uint32_t componentId, std::uint32_t classId) {
    return ValueTriple{windowId, componentId, classId};
}

std::string takeText(AddressWord address) {
    char* block = addressFromWord<char>(address);
    if (block == nullptr) {
        return {};
    }
    std::string text(block);
    RuntimeApplication::current().heap().free(block);
    return text;
}

std::string takeTextResult(const ValueTriple& result) {
    if (result.type == type_code::kText) {
        return takeText(result.addressValue());
    }
    if (result.type == type_code::kByteSet && result.addressValue() != 0) {
        RuntimeApplication::current().heap().free(result.address<void>());
    }
    return {};
}

}  // namespace veltrano::app
