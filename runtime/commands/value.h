#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "runtime/values/type_codes.h"

namespace veltrano::commands {

enum class ValueKind : std::uint8_t {
    None,  // an optional argument left out (type code 0)
    Byte,
    Short,
    Integer,
    Long,
    Float,
    Double,
    Bool,
    DateTime,
    Text,
    ByteSet,
    Subroutine,
    NumericArray,  // an array of one of the six number types, seen as its element bytes
    OtherArray,    // an array of any other base type
    Other,         // a component, library or user data type
};

// A read-only view of one command argument. The adapter that receives the
// runtime's value triples builds it; texts, byte sets and array elements
// stay in the caller's memory and must outlive the view.
class Value {
public:
    static Value none() noexcept { return Value(ValueKind::None); }
    static Value byte(std::uint8_t value) noexcept { return fromInteger(ValueKind::Byte, value); }
    static Value shortInteger(std::int16_t value) noexcept { return fromInteger(ValueKind::Short, value); }
    static Value integer(std::int32_t value) noexcept { return fromInteger(ValueKind::Integer, value); }
    static Value longInteger(std::int64_t value) noexcept { return fromInteger(ValueKind::Long, value); }
    static Value boolean(bool value) noexcept { return fromInteger(ValueKind::Bool, value ? 1 : 0); }
    static Value subroutine(std::uint32_t address) noexcept { return fromInteger(ValueKind::Subroutine, address); }
    static Value single(float value) noexcept { return fromReal(ValueKind::Float, value); }
    static Value real(double value) noexcept { return fromReal(ValueKind::Double, value); }
    // Days since 30 December 1899; the fraction is the time of day.
    static Value dateTime(double value) noexcept { return fromReal(ValueKind::DateTime, value); }
    // The text's bytes without the terminating zero.
    static Value text(std::string_view bytes) noexcept;
    static Value byteSet(std::span<const std::uint8_t> bytes) noexcept { return fromBytes(ValueKind::ByteSet, bytes); }
    // All elements of the array, in memory order.
    static Value numericArray(std::span<const std::uint8_t> elementBytes) noexcept {
        return fromBytes(ValueKind::NumericArray, elementBytes);
    }
    static Value otherArray() noexcept { return Value(ValueKind::OtherArray); }
    static Value other() noexcept { return Value(ValueKind::Other); }

    ValueKind kind() const noexcept { return kind_; }

    // Byte, short, integer, long, bool and subroutine address.
    bool holdsInteger() const noexcept;
    // Float, double and date-time.
    bool holdsReal() const noexcept;
    // Text, byte set and numeric array.
    bool holdsBytes() const noexcept;

    // The accessors give 0 or an empty view when the value is of another
    // kind, so a wrong guess never reads foreign memory.
    std::int64_t integerValue() const noexcept { return holdsInteger() ? integer_ : 0; }
    double realValue() const noexcept { return holdsReal() ? real_ : 0.0; }
    std::span<const std::uint8_t> bytes() const noexcept;
    std::string_view textBytes() const noexcept;

private:
    explicit Value(ValueKind kind) noexcept : kind_(kind) {}
    static Value fromInteger(ValueKind kind, std::int64_t value) noexcept;
    static Value fromReal(ValueKind kind, double value) noexcept;
    static Value fromBytes(ValueKind kind, std::span<const std::uint8_t> bytes) noexcept;

    ValueKind kind_;
    std::int64_t integer_ = 0;
    double real_ = 0.0;
    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
};

// The value of a triple whose type carries its value in the two words
// (numbers, bool, date-time, subroutine address, no type; any code that is
// none of the base types becomes Other). Texts, byte sets and arrays are
// addresses the adapter has to resolve itself: they give nothing here.
std::optional<Value> valueFromWords(const ValueTriple& triple) noexcept;

}  // namespace veltrano::commands
