#include "runtime/commands/message_box_arguments.h"

#include "runtime/commands/system_texts.h"
#include "runtime/commands/to_text.h"

namespace veltrano::commands::message_box {

std::string shownText(const Value& value) {
    switch (value.kind()) {
        case ValueKind::Byte:
        case ValueKind::Short:
        case ValueKind::Integer:
        case ValueKind::Long:
        case ValueKind::Float:
        case ValueKind::Double:
        case ValueKind::Text:
        case ValueKind::Bool:
        case ValueKind::DateTime: return ToText(value);
        default: return {};
    }
}

std::string caption(std::optional<std::string_view> given) {
    return std::string(given.value_or(system_text::kMessageBoxCaption));
}

std::uint32_t style(std::optional<std::int32_t> given) noexcept {
    const auto bits = static_cast<std::uint32_t>(given.value_or(0));
    if ((bits & kSystemModal) != 0) return bits;
    return bits | kTaskModal;
}

std::int32_t answer(std::int32_t buttonId) noexcept {
    if (buttonId < static_cast<std::int32_t>(ButtonId::Ok) || buttonId > static_cast<std::int32_t>(ButtonId::No)) {
        return -1;
    }
    return buttonId - 1;
}

}  // namespace veltrano::commands::message_box
