#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace veltrano::commands {

enum class LengthModifier {
    None,
    Char,       // hh
    Short,      // h
    Long,       // l
    Wide,       // w
    LongLong,   // ll, I64, j, q
    Size,       // z, t, I, I32
    LongDouble  // L
};

// One conversion of a printf format: %[flags][width][.precision][length]conversion.
struct ConversionDirective {
    bool leftAlign = false;  // '-'
    bool forceSign = false;  // '+'
    bool spaceSign = false;  // ' '
    bool alternate = false;  // '#'
    bool zeroPad = false;    // '0'
    std::optional<int> width;
    bool widthFromArgument = false;  // '*'
    std::optional<int> precision;    // a '.' without digits is 0
    bool precisionFromArgument = false;
    LengthModifier length = LengthModifier::None;
    char conversion = '\0';
};

// Widths and precisions above this are refused, so that no format can ask
// for an unbounded amount of memory.
inline constexpr int kMaxFieldWidth = 4096;

struct ParsedDirective {
    ConversionDirective directive;
    std::size_t end = 0;  // position just after the conversion character
};

// Parses the conversion whose '%' is at format[percent]. Nothing comes back
// for a conversion that is cut off by the end of the format or has a width or
// precision above kMaxFieldWidth; the conversion character is not checked.
std::optional<ParsedDirective> parseFormatSpec(std::string_view format, std::size_t percent) noexcept;

}  // namespace veltrano::commands
