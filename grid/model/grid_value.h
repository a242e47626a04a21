#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace veltrano::grid {

// A value passed to or returned from a grid command, in the portable form the
// window side converts runtime values into and out of.
class GridValue {
public:
    enum class Type { None, Text, Logical, Bytes, Byte, ShortInteger, Integer, LongInteger, Single, Double };

    GridValue() = default;

    static GridValue text(std::string value) {
        GridValue made(Type::Text);
        made.text_ = std::move(value);
        return made;
    }
    static GridValue logical(bool value) { return whole(Type::Logical, value ? 1 : 0); }
    static GridValue bytes(std::vector<std::uint8_t> value) {
        GridValue made(Type::Bytes);
        made.bytes_ = std::move(value);
        return made;
    }
    static GridValue byte(std::uint8_t value) { return whole(Type::Byte, value); }
    static GridValue shortInteger(std::int16_t value) { return whole(Type::ShortInteger, value); }
    static GridValue integer(std::int32_t value) { return whole(Type::Integer, value); }
    static GridValue longInteger(std::int64_t value) { return whole(Type::LongInteger, value); }
    // A float widens to a double exactly and narrows back unchanged.
    static GridValue single(float value) { return real(Type::Single, static_cast<double>(value)); }
    static GridValue doubleReal(double value) { return real(Type::Double, value); }

    Type type() const { return type_; }
    bool isNone() const { return type_ == Type::None; }

    // Each accessor is meant for values of the matching type().
    const std::string& asText() const { return text_; }
    bool asLogical() const { return whole_ != 0; }
    const std::vector<std::uint8_t>& asBytes() const { return bytes_; }
    std::uint8_t asByte() const { return static_cast<std::uint8_t>(whole_); }
    std::int16_t asShortInteger() const { return static_cast<std::int16_t>(whole_); }
    std::int32_t asInteger() const { return static_cast<std::int32_t>(whole_); }
    std::int64_t asLongInteger() const { return whole_; }
    float asSingle() const { return static_cast<float>(real_); }
    double asDouble() const { return real_; }

    friend bool operator==(const GridValue&, const GridValue&) = default;

private:
    explicit GridValue(Type type) : type_(type) {}

    static GridValue whole(Type type, std::int64_t value) {
        GridValue made(type);
        made.whole_ = value;
        return made;
    }
    static GridValue real(Type type, double value) {
        GridValue made(type);
        made.real_ = value;
        return made;
    }

    Type type_ = Type::None;
    std::string text_;
    std::vector<std::uint8_t> bytes_;
    std::int64_t whole_ = 0;
    double real_ = 0.0;
};

}  // namespace veltrano::grid
