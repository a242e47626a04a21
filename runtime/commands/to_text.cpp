#include "runtime/commands/to_text.h"

#include <algorithm>

#include "runtime/commands/date_time_text.h"
#include "runtime/commands/floating_text.h"
#include "runtime/commands/system_texts.h"

namespace veltrano::commands {
namespace {

std::string bytesBeforeZero(std::span<const std::uint8_t> bytes) {
    const auto end = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
    return std::string(bytes.begin(), end);
}

}  // namespace

std::string ToText(const Value& value) {
    switch (value.kind()) {
        case ValueKind::Byte:
        case ValueKind::Short:
        case ValueKind::Integer:
        case ValueKind::Long: return std::to_string(value.integerValue());
        case ValueKind::Float: return generalText(value.realValue(), 6);
        case ValueKind::Double: return generalText(value.realValue(), 13);
        case ValueKind::Bool: return std::string(value.integerValue() != 0 ? system_text::kTrue : system_text::kFalse);
        case ValueKind::DateTime: return dateTimeText(value.realValue());
        case ValueKind::Text: return std::string(value.textBytes());
        case ValueKind::ByteSet:
        case ValueKind::NumericArray: return bytesBeforeZero(value.bytes());
        default: return {};
    }
}

}  // namespace veltrano::commands
