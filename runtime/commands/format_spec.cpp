#include "runtime/commands/format_spec.h"

namespace veltrano::commands {
namespace {

class SpecCursor {
public:
    SpecCursor(std::string_view format, std::size_t position) noexcept : format_(format), position_(position) {}

    char peek(std::size_t ahead = 0) const noexcept {
        return position_ + ahead < format_.size() ? format_[position_ + ahead] : '\0';
    }
    bool atEnd() const noexcept { return position_ >= format_.size(); }
    void skip(std::size_t count = 1) noexcept { position_ += count; }
    std::size_t position() const noexcept { return position_; }

    bool take(std::string_view expected) noexcept {
        if (format_.substr(position_, expected.size()) != expected) return false;
        position_ += expected.size();
        return true;
    }

    // Decimal digits; nothing comes back above kMaxFieldWidth.
    std::optional<int> number() noexcept {
        int value = 0;
        while (peek() >= '0' && peek() <= '9') {
            value = value * 10 + (peek() - '0');
            if (value > kMaxFieldWidth) return std::nullopt;
            skip();
        }
        return value;
    }

private:
    std::string_view format_;
    std::size_t position_;
};

void readFlags(SpecCursor& cursor, FormatSpec& spec) noexcept {
    for (;;) {
        switch (cursor.peek()) {
            case '-': spec.leftAlign = true; break;
            case '+': spec.forceSign = true; break;
            case ' ': spec.spaceSign = true; break;
            case '#': spec.alternate = true; break;
            case '0': spec.zeroPad = true; break;
            default: return;
        }
        cursor.skip();
    }
}

LengthModifier readLength(SpecCursor& cursor) noexcept {
    if (cursor.take("hh")) return LengthModifier::Char;
    if (cursor.take("h")) return LengthModifier::Short;
    if (cursor.take("ll") || cursor.take("I64") || cursor.take("j") || cursor.take("q")) {
        return LengthModifier::LongLong;
    }
    if (cursor.take("l")) return LengthModifier::Long;
    if (cursor.take("w")) return LengthModifier::Wide;
    if (cursor.take("I32") || cursor.take("I") || cursor.take("z") || cursor.take("t")) return LengthModifier::Size;
    if (cursor.take("L")) return LengthModifier::LongDouble;
    return LengthModifier::None;
}

}  // namespace

std::optional<ParsedSpec> parseFormatSpec(std::string_view format, std::size_t percent) noexcept {
    SpecCursor cursor(format, percent + 1);
    ParsedSpec parsed;
    FormatSpec& spec = parsed.spec;
    readFlags(cursor, spec);

    if (cursor.peek() == '*') {
        spec.widthFromArgument = true;
        cursor.skip();
    } else if (cursor.peek() >= '1' && cursor.peek() <= '9') {
        spec.width = cursor.number();
        if (!spec.width) return std::nullopt;
    }

    if (cursor.peek() == '.') {
        cursor.skip();
        if (cursor.peek() == '*') {
            spec.precisionFromArgument = true;
            cursor.skip();
        } else {
            spec.precision = cursor.number();
            if (!spec.precision) return std::nullopt;
        }
    }

    spec.length = readLength(cursor);
    if (cursor.atEnd()) return std::nullopt;
    spec.conversion = cursor.peek();
    cursor.skip();
    parsed.end = cursor.position();
    return parsed;
}

}  // namespace veltrano::commands
