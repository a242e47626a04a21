#include "runtime/commands/conversion_directive.h"

namespace veltrano::commands {
namespace {

class DirectiveCursor {
public:
    DirectiveCursor(std::string_view format, std::size_t position) noexcept : format_(format), position_(position) {}

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

void readFlags(DirectiveCursor& cursor, ConversionDirective& directive) noexcept {
    for (;;) {
        switch (cursor.peek()) {
            case '-': directive.leftAlign = true; break;
            case '+': directive.forceSign = true; break;
            case ' ': directive.spaceSign = true; break;
            case '#': directive.alternate = true; break;
            case '0': directive.zeroPad = true; break;
            default: return;
        }
        cursor.skip();
    }
}

LengthModifier readLength(DirectiveCursor& cursor) noexcept {
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

std::optional<ParsedDirective> parseFormatSpec(std::string_view format, std::size_t percent) noexcept {
    DirectiveCursor cursor(format, percent + 1);
    ParsedDirective parsed;
    ConversionDirective& directive = parsed.directive;
    readFlags(cursor, directive);

    if (cursor.peek() == '*') {
        directive.widthFromArgument = true;
        cursor.skip();
    } else if (cursor.peek() >= '1' && cursor.peek() <= '9') {
        directive.width = cursor.number();
        if (!directive.width) return std::nullopt;
    }

    if (cursor.peek() == '.') {
        cursor.skip();
        if (cursor.peek() == '*') {
            directive.precisionFromArgument = true;
            cursor.skip();
        } else {
            directive.precision = cursor.number();
            if (!directive.precision) return std::nullopt;
        }
    }

    directive.length = readLength(cursor);
    if (cursor.atEnd()) return std::nullopt;
    directive.conversion = cursor.peek();
    cursor.skip();
    parsed.end = cursor.position();
    return parsed;
}

}  // namespace veltrano::commands
