#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "runtime/commands/value.h"
#include "runtime/values/type_codes.h"

namespace veltrano::core_library {

// The checked view of a command's argument triples. Only this class reads
// raw triples: texts, byte sets and arrays are resolved from their addresses
// here, and a required argument that is missing or of a type the command
// cannot take is the runtime error "所提供参数的数据类型不符合要求" rather than
// a read of foreign memory.
class CommandArguments {
public:
    CommandArguments(std::uint32_t count, const ValueTriple* triples) noexcept;

    std::uint32_t count() const noexcept { return static_cast<std::uint32_t>(triples_.size()); }
    // False for an index past the count or an argument left out (type 0).
    bool given(std::uint32_t index) const noexcept;
    const ValueTriple& triple(std::uint32_t index) const;

    // A text; a null address is the empty text.
    std::string_view text(std::uint32_t index) const;
    std::optional<std::string_view> optionalText(std::uint32_t index) const;
    // A byte set's bytes; a null address is the empty byte set.
    std::span<const std::uint8_t> byteSet(std::uint32_t index) const;
    // Any number or bool, as ToInteger turns it into a 32-bit integer.
    std::int32_t integer(std::uint32_t index) const;
    std::optional<std::int32_t> optionalInteger(std::uint32_t index) const;
    // Any number, as a double.
    double real(std::uint32_t index) const;
    // Any value at all (texts, byte sets and arrays resolved); a missing
    // argument is Value::none().
    commands::Value value(std::uint32_t index) const;

private:
    [[noreturn]] void wrongType() const;

    std::span<const ValueTriple> triples_;
};

// The element bytes of an array block (dimension count, dimension sizes,
// elements), or nothing when the sizes cannot describe a block.
std::optional<std::span<const std::uint8_t>> arrayElementBytes(const void* array, std::uint32_t typeCode) noexcept;

}  // namespace veltrano::core_library
