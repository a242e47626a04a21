#include "runtime/commands/value.h"

#include <bit>

namespace veltrano::commands {

Value Value::fromInteger(ValueKind kind, std::int64_t value) noexcept {
    Value result(kind);
    result.integer_ = value;
    return result;
}

Value Value::fromReal(ValueKind kind, double value) noexcept {
    Value result(kind);
    result.real_ = value;
    return result;
}

Value Value::fromBytes(ValueKind kind, std::span<const std::uint8_t> bytes) noexcept {
    Value result(kind);
    result.data_ = bytes.data();
    result.size_ = bytes.size();
    return result;
}

Value Value::text(std::string_view bytes) noexcept {
    Value result(ValueKind::Text);
    result.data_ = reinterpret_cast<const std::uint8_t*>(bytes.data());
    result.size_ = bytes.size();
    return result;
}

bool Value::holdsInteger() const noexcept {
    switch (kind_) {
        case ValueKind::Byte:
        case ValueKind::Short:
        case ValueKind::Integer:
        case ValueKind::Long:
        case ValueKind::Bool:
        case ValueKind::Subroutine: return true;
        default: return false;
    }
}

bool Value::holdsReal() const noexcept {
    return kind_ == ValueKind::Float || kind_ == ValueKind::Double || kind_ == ValueKind::DateTime;
}

bool Value::holdsBytes() const noexcept {
    return kind_ == ValueKind::Text || kind_ == ValueKind::ByteSet || kind_ == ValueKind::NumericArray;
}

std::span<const std::uint8_t> Value::bytes() const noexcept {
    if (!holdsBytes() || data_ == nullptr) return {};
    return {data_, size_};
}

std::string_view Value::textBytes() const noexcept {
    const auto view = bytes();
    return {reinterpret_cast<const char*>(view.data()), view.size()};
}

std::optional<Value> valueFromWords(const ValueTriple& triple) noexcept {
    const std::uint64_t both = (static_cast<std::uint64_t>(triple.high) << 32) | triple.low;
    switch (triple.type) {
        case type_code::kNone: return Value::none();
        case type_code::kByte: return Value::byte(static_cast<std::uint8_t>(triple.low & 0xFFu));
        case type_code::kShort: return Value::shortInteger(static_cast<std::int16_t>(triple.low & 0xFFFFu));
        case type_code::kInteger: return Value::integer(static_cast<std::int32_t>(triple.low));
        case type_code::kLong: return Value::longInteger(static_cast<std::int64_t>(both));
        case type_code::kFloat: return Value::single(std::bit_cast<float>(triple.low));
        case type_code::kDouble: return Value::real(std::bit_cast<double>(both));
        case type_code::kDateTime: return Value::dateTime(std::bit_cast<double>(both));
        case type_code::kBool: return Value::boolean(triple.low != 0);
        case type_code::kSubroutine: return Value::subroutine(triple.low);
        default: break;
    }
    if (triple.type == type_code::kText || triple.type == type_code::kByteSet || isArrayType(triple.type)) {
        return std::nullopt;
    }
    return Value::other();
}

}  // namespace veltrano::commands
