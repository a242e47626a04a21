#include "runtime/commands/format_text.h"

#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

#include "runtime/commands/conversion_directive.h"
#include "runtime/commands/floating_text.h"
#include "runtime/commands/gbk_characters.h"

namespace veltrano::commands {
namespace {

struct FormatArgument {
    enum class Kind { Integer, Real, Text } kind = Kind::Integer;
    std::int32_t integer = 0;
    double real = 0.0;
    std::string_view text;
};

std::optional<FormatArgument> formatArgument(const Value& value) noexcept {
    FormatArgument argument;
    switch (value.kind()) {
        case ValueKind::Byte:
        case ValueKind::Short:
        case ValueKind::Integer:
        case ValueKind::Bool:
        case ValueKind::Subroutine:
            argument.kind = FormatArgument::Kind::Integer;
            argument.integer = static_cast<std::int32_t>(static_cast<std::uint32_t>(value.integerValue() & 0xFFFFFFFF));
            return argument;
        case ValueKind::Float:
        case ValueKind::Double:
            argument.kind = FormatArgument::Kind::Real;
            argument.real = value.realValue();
            return argument;
        case ValueKind::Text:
            argument.kind = FormatArgument::Kind::Text;
            argument.text = value.textBytes();
            return argument;
        default: return std::nullopt;
    }
}

class ArgumentList {
public:
    explicit ArgumentList(std::vector<FormatArgument> arguments) noexcept : arguments_(std::move(arguments)) {}

    std::optional<FormatArgument> next(FormatArgument::Kind kind) noexcept {
        if (next_ >= arguments_.size() || arguments_[next_].kind != kind) return std::nullopt;
        return arguments_[next_++];
    }

private:
    std::vector<FormatArgument> arguments_;
    std::size_t next_ = 0;
};

// Lays out one field: sign or base prefix, then the body, widened to the
// field width with spaces, or with zeros between prefix and body.
void appendField(std::string& out, const ConversionDirective& directive, std::string_view prefix, std::string_view body,
                 bool zerosAllowed) {
    const std::size_t width = directive.width ? static_cast<std::size_t>(*directive.width) : 0;
    const std::size_t content = prefix.size() + body.size();
    const std::size_t padding = width > content ? width - content : 0;
    if (directive.leftAlign) {
        out.append(prefix).append(body).append(padding, ' ');
    } else if (directive.zeroPad && zerosAllowed) {
        out.append(prefix).append(padding, '0').append(body);
    } else {
        out.append(padding, ' ').append(prefix).append(body);
    }
}

std::string digitsOf(std::uint64_t magnitude, unsigned base, bool upperCase) {
    const char* digits = upperCase ? "0123456789ABCDEF" : "0123456789abcdef";
    std::string reversed;
    while (magnitude != 0) {
        reversed.push_back(digits[magnitude % base]);
        magnitude /= base;
    }
    return std::string(reversed.rbegin(), reversed.rend());
}

bool isSignedConversion(char conversion) noexcept {
    return conversion == 'd' || conversion == 'i';
}

std::int64_t narrowedSigned(std::int32_t value, LengthModifier length) noexcept {
    if (length == LengthModifier::Char) return static_cast<std::int8_t>(value & 0xFF);
    if (length == LengthModifier::Short) return static_cast<std::int16_t>(value & 0xFFFF);
    return value;
}

std::uint64_t narrowedUnsigned(std::int32_t value, LengthModifier length) noexcept {
    const auto bits = static_cast<std::uint32_t>(value);
    if (length == LengthModifier::Char) return bits & 0xFFu;
    if (length == LengthModifier::Short) return bits & 0xFFFFu;
    return bits;
}

void appendInteger(std::string& out, const ConversionDirective& directive, std::int32_t value) {
    std::string prefix;
    std::uint64_t magnitude = 0;
    unsigned base = 10;
    if (isSignedConversion(directive.conversion)) {
        const std::int64_t number = narrowedSigned(value, directive.length);
        magnitude = number < 0 ? static_cast<std::uint64_t>(-number) : static_cast<std::uint64_t>(number);
        if (number < 0) {
            prefix = "-";
        } else if (directive.forceSign) {
            prefix = "+";
        } else if (directive.spaceSign) {
            prefix = " ";
        }
    } else {
        magnitude = narrowedUnsigned(value, directive.length);
        if (directive.conversion == 'o') base = 8;
        if (directive.conversion == 'x' || directive.conversion == 'X') base = 16;
    }
    const bool upperCase = directive.conversion == 'X';
    std::string digits = digitsOf(magnitude, base, upperCase);
    const std::size_t minimumDigits = directive.precision ? static_cast<std::size_t>(*directive.precision) : 1;
    if (digits.size() < minimumDigits) digits.insert(0, minimumDigits - digits.size(), '0');
    if (directive.alternate && base == 8 && (digits.empty() || digits.front() != '0')) digits.insert(0, 1, '0');
    if (directive.alternate && base == 16 && magnitude != 0) prefix = upperCase ? "0X" : "0x";
    appendField(out, directive, prefix, digits, !directive.precision);
}

void appendReal(std::string& out, const ConversionDirective& directive, double value) {
    FloatFormat format;
    switch (directive.conversion) {
        case 'f':
        case 'F': format.style = FloatStyle::Fixed; break;
        case 'e':
        case 'E': format.style = FloatStyle::Scientific; break;
        default: format.style = FloatStyle::General; break;
    }
    format.precision = directive.precision.value_or(6);
    format.alternate = directive.alternate;
    format.upperCase = directive.conversion == 'F' || directive.conversion == 'E' || directive.conversion == 'G';
    const std::string digits = floatingDigits(value, format);
    std::string_view prefix;
    if (std::signbit(value) && !std::isnan(value)) {
        prefix = "-";
    } else if (directive.forceSign) {
        prefix = "+";
    } else if (directive.spaceSign) {
        prefix = " ";
    }
    appendField(out, directive, prefix, digits, std::isfinite(value));
}

void appendText(std::string& out, const ConversionDirective& directive, std::string_view text) {
    if (directive.precision && static_cast<std::size_t>(*directive.precision) < text.size()) {
        text = text.substr(0, static_cast<std::size_t>(*directive.precision));
    }
    appendField(out, directive, {}, text, false);
}

bool asksForWideText(const ConversionDirective& directive) noexcept {
    const bool wideLength = directive.length == LengthModifier::Long || directive.length == LengthModifier::Wide;
    return directive.conversion == 'S' || directive.conversion == 'C' ||
           (wideLength && (directive.conversion == 's' || directive.conversion == 'c'));
}

// Fills in the width and precision taken from arguments; a negative width
// aligns left, a negative precision counts as none.
bool resolveStars(ConversionDirective& directive, ArgumentList& arguments) noexcept {
    if (directive.widthFromArgument) {
        const auto width = arguments.next(FormatArgument::Kind::Integer);
        if (!width) return false;
        std::int64_t value = width->integer;
        if (value < 0) {
            directive.leftAlign = true;
            value = -value;
        }
        if (value > kMaxFieldWidth) return false;
        directive.width = static_cast<int>(value);
    }
    if (directive.precisionFromArgument) {
        const auto precision = arguments.next(FormatArgument::Kind::Integer);
        if (!precision) return false;
        if (precision->integer > kMaxFieldWidth) return false;
        if (precision->integer >= 0) directive.precision = precision->integer;
    }
    return true;
}

// Formats one conversion; false when it cannot be formatted soundly.
bool appendConversion(std::string& out, ConversionDirective directive, ArgumentList& arguments) {
    if (directive.conversion == '%') {
        out.push_back('%');
        return true;
    }
    if (asksForWideText(directive) || !resolveStars(directive, arguments)) return false;
    switch (directive.conversion) {
        case 'd':
        case 'i':
        case 'u':
        case 'x':
        case 'X':
        case 'o': {
            const auto argument = arguments.next(FormatArgument::Kind::Integer);
            if (!argument) return false;
            appendInteger(out, directive, argument->integer);
            return true;
        }
        case 'c': {
            const auto argument = arguments.next(FormatArgument::Kind::Integer);
            if (!argument) return false;
            const char byte = static_cast<char>(argument->integer & 0xFF);
            appendField(out, directive, {}, std::string_view(&byte, 1), false);
            return true;
        }
        case 'p': {
            const auto argument = arguments.next(FormatArgument::Kind::Integer);
            if (!argument) return false;
            std::string digits = digitsOf(static_cast<std::uint32_t>(argument->integer), 16, true);
            digits.insert(0, 8 - digits.size(), '0');
            appendField(out, directive, {}, digits, false);
            return true;
        }
        case 'f':
        case 'F':
        case 'e':
        case 'E':
        case 'g':
        case 'G': {
            const auto argument = arguments.next(FormatArgument::Kind::Real);
            if (!argument) return false;
            appendReal(out, directive, argument->real);
            return true;
        }
        case 's': {
            const auto argument = arguments.next(FormatArgument::Kind::Text);
            if (!argument) return false;
            appendText(out, directive, argument->text);
            return true;
        }
        default: return false;
    }
}

}  // namespace

std::string FormatText(std::string_view format, std::span<const Value> values) {
    std::vector<FormatArgument> accepted;
    accepted.reserve(values.size());
    for (const Value& value : values) {
        const auto argument = formatArgument(value);
        if (!argument) return {};
        accepted.push_back(*argument);
    }
    ArgumentList arguments(std::move(accepted));

    std::string out;
    std::size_t position = 0;
    while (position < format.size()) {
        if (format[position] != '%') {
            const std::size_t length = gbk::characterLength(format, position);
            out.append(format.substr(position, length));
            position += length;
            continue;
        }
        const auto parsed = parseFormatSpec(format, position);
        if (!parsed || !appendConversion(out, parsed->directive, arguments)) return {};
        position = parsed->end;
    }
    const std::size_t zero = out.find('\0');
    if (zero != std::string::npos) out.resize(zero);
    return out;
}

}  // namespace veltrano::commands
