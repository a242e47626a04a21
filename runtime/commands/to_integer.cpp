#include "runtime/commands/to_integer.h"

#include <cmath>
#include <limits>

#include "runtime/commands/gbk_characters.h"

namespace veltrano::commands {
namespace {

constexpr std::int64_t kMinInteger = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kMaxInteger = std::numeric_limits<std::int32_t>::max();

// Walks a text as the half-width characters that matter to a number: the
// full-width digits (A3 B0..A3 B9), plus (A3 AB), minus (A3 AD) and space
// (A1 A1) stand for their ASCII forms. Any other double-byte character reads
// as a byte that stops the number.
class HalfWidthReader {
public:
    explicit HalfWidthReader(std::string_view text) noexcept : text_(text) {}

    bool atEnd() const noexcept { return position_ >= text_.size(); }

    char peek() const noexcept {
        if (atEnd()) return '\0';
        if (gbk::characterLength(text_, position_) == 1) return text_[position_];
        const char lead = text_[position_];
        const auto trail = static_cast<unsigned char>(text_[position_ + 1]);
        if (lead == '\xA1' && trail == 0xA1) return ' ';
        if (lead == '\xA3') {
            if (trail >= 0xB0 && trail <= 0xB9) return static_cast<char>('0' + (trail - 0xB0));
            if (trail == 0xAB) return '+';
            if (trail == 0xAD) return '-';
        }
        return '\x80';
    }

    void advance() noexcept { position_ += gbk::characterLength(text_, position_); }

private:
    std::string_view text_;
    std::size_t position_ = 0;
};

bool isWhiteSpace(char c) noexcept {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

std::int32_t truncatedReal(double value) noexcept {
    if (std::isnan(value)) return 0;
    const double whole = std::trunc(value);
    if (whole <= static_cast<double>(kMinInteger)) return static_cast<std::int32_t>(kMinInteger);
    if (whole >= static_cast<double>(kMaxInteger)) return static_cast<std::int32_t>(kMaxInteger);
    return static_cast<std::int32_t>(whole);
}

}  // namespace

std::int32_t textToInteger(std::string_view text) noexcept {
    HalfWidthReader reader(text);
    while (!reader.atEnd() && isWhiteSpace(reader.peek())) reader.advance();
    bool negative = false;
    if (reader.peek() == '+' || reader.peek() == '-') {
        negative = reader.peek() == '-';
        reader.advance();
    }
    std::int64_t magnitude = 0;
    while (!reader.atEnd() && reader.peek() >= '0' && reader.peek() <= '9') {
        if (magnitude <= kMaxInteger + 1) magnitude = magnitude * 10 + (reader.peek() - '0');
        reader.advance();
    }
    const std::int64_t number = negative ? -magnitude : magnitude;
    if (number < kMinInteger) return static_cast<std::int32_t>(kMinInteger);
    if (number > kMaxInteger) return static_cast<std::int32_t>(kMaxInteger);
    return static_cast<std::int32_t>(number);
}

std::int32_t ToInteger(const Value& value) noexcept {
    switch (value.kind()) {
        case ValueKind::Byte:
        case ValueKind::Short:
        case ValueKind::Integer:
        case ValueKind::Bool: return static_cast<std::int32_t>(value.integerValue());
        case ValueKind::Long:
        case ValueKind::Subroutine:
            return static_cast<std::int32_t>(static_cast<std::uint32_t>(value.integerValue() & 0xFFFFFFFF));
        case ValueKind::Float:
        case ValueKind::Double: return truncatedReal(value.realValue());
        case ValueKind::Text: return textToInteger(value.textBytes());
        default: return 0;
    }
}

}  // namespace veltrano::commands
