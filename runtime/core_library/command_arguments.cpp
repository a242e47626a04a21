#include "runtime/core_library/command_arguments.h"

#include <cstring>
#include <limits>

#include "runtime/commands/to_integer.h"
#include "runtime/kernel/component_class.h"
#include "runtime/kernel/runtime_application.h"
#include "runtime/kernel/runtime_text.h"

namespace veltrano::core_library {
namespace {

constexpr int kArgumentTypeError = 11;

bool isNumberOrBool(commands::ValueKind kind) noexcept {
    switch (kind) {
        case commands::ValueKind::Byte:
        case commands::ValueKind::Short:
        case commands::ValueKind::Integer:
        case commands::ValueKind::Long:
        case commands::ValueKind::Float:
        case commands::ValueKind::Double:
        case commands::ValueKind::Bool: return true;
        default: return false;
    }
}

}  // namespace

CommandArguments::CommandArguments(std::uint32_t count, const ValueTriple* triples) noexcept
    : triples_(triples == nullptr ? std::span<const ValueTriple>{} : std::span<const ValueTriple>{triples, count}) {}

bool CommandArguments::given(std::uint32_t index) const noexcept {
    return index < triples_.size() && triples_[index].type != type_code::kNone;
}

const ValueTriple& CommandArguments::triple(std::uint32_t index) const {
    if (index >= triples_.size()) wrongType();
    return triples_[index];
}

std::string_view CommandArguments::text(std::uint32_t index) const {
    const ValueTriple& argument = triple(index);
    if (argument.type != type_code::kText) wrongType();
    return textView(argument.address<const char>());
}

std::optional<std::string_view> CommandArguments::optionalText(std::uint32_t index) const {
    if (!given(index)) return std::nullopt;
    return text(index);
}

std::span<const std::uint8_t> CommandArguments::byteSet(std::uint32_t index) const {
    const ValueTriple& argument = triple(index);
    if (argument.type != type_code::kByteSet) wrongType();
    return byteSetView(argument.address<const void>());
}

std::int32_t CommandArguments::integer(std::uint32_t index) const {
    const auto number = commands::valueFromWords(triple(index));
    if (!number || !isNumberOrBool(number->kind())) wrongType();
    return commands::ToInteger(*number);
}

std::optional<std::int32_t> CommandArguments::optionalInteger(std::uint32_t index) const {
    if (!given(index)) return std::nullopt;
    return integer(index);
}

double CommandArguments::real(std::uint32_t index) const {
    const auto number = commands::valueFromWords(triple(index));
    if (!number || !isNumberOrBool(number->kind())) wrongType();
    if (number->holdsReal()) return number->realValue();
    return static_cast<double>(number->integerValue());
}

commands::Value CommandArguments::value(std::uint32_t index) const {
    if (index >= triples_.size()) return commands::Value::none();
    const ValueTriple& argument = triples_[index];
    if (auto scalar = commands::valueFromWords(argument)) return *scalar;
    if (argument.type == type_code::kText) return commands::Value::text(textView(argument.address<const char>()));
    if (argument.type == type_code::kByteSet) {
        return commands::Value::byteSet(byteSetView(argument.address<const void>()));
    }
    if (isNumericType(arrayElementType(argument.type))) {
        const auto elements = arrayElementBytes(argument.address<const void>(), argument.type);
        if (elements) return commands::Value::numericArray(*elements);
    }
    return commands::Value::otherArray();
}

void CommandArguments::wrongType() const {
    RuntimeApplication::current().reportNumberedError(kArgumentTypeError, 0, 0);
}

std::optional<std::span<const std::uint8_t>> arrayElementBytes(const void* array, std::uint32_t typeCode) noexcept {
    if (array == nullptr) return std::span<const std::uint8_t>{};
    const auto* block = static_cast<const std::uint8_t*>(array);
    std::uint32_t dimensions = 0;
    std::memcpy(&dimensions, block, sizeof dimensions);
    // No array the runtime makes has more dimensions than this; a larger count
    // is not an array block.
    constexpr std::uint32_t kMostDimensions = 64;
    if (dimensions > kMostDimensions) return std::nullopt;
    std::uint64_t elements = dimensions == 0 ? 0 : 1;
    for (std::uint32_t i = 0; i < dimensions; ++i) {
        std::uint32_t size = 0;
        std::memcpy(&size, block + 4 + 4 * static_cast<std::size_t>(i), sizeof size);
        elements *= size;
        if (elements > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
    }
    const std::uint64_t byteCount = elements * elementSize(typeCode);
    if (byteCount > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
    return std::span<const std::uint8_t>{block + 4 + 4 * static_cast<std::size_t>(dimensions),
                                         static_cast<std::size_t>(byteCount)};
}

}  // namespace veltrano::core_library
