#include "runtime/dispatch/property_kind.h"

namespace veltrano {

RuntimeValueForm runtimeFormOf(std::uint16_t kind) noexcept {
    switch (static_cast<PropertyKind>(kind)) {
        case PropertyKind::Word:
        case PropertyKind::Integer:
        case PropertyKind::Choice:
        case PropertyKind::Colour:
        case PropertyKind::ColourOrTransparent:
        case PropertyKind::BackgroundColour: return RuntimeValueForm::Integer;
        case PropertyKind::Wide1002:
        case PropertyKind::Wide1004: return RuntimeValueForm::Wide;
        case PropertyKind::Bool: return RuntimeValueForm::Bool;
        case PropertyKind::Text:
        case PropertyKind::Text1007:
        case PropertyKind::Text1008:
        case PropertyKind::FileName:
        case PropertyKind::DataSource:
        case PropertyKind::Text1019:
        case PropertyKind::DataColumn:
        case PropertyKind::Text1021:
        case PropertyKind::Text1022: return RuntimeValueForm::Text;
        case PropertyKind::Picture:
        case PropertyKind::Icon:
        case PropertyKind::Cursor:
        case PropertyKind::Sound:
        case PropertyKind::Bytes1023:
        case PropertyKind::CustomData: return RuntimeValueForm::ByteSet;
        case PropertyKind::Font: return RuntimeValueForm::Font;
    }
    return RuntimeValueForm::None;
}

RuntimeWords readScalar(std::uint16_t kind, RawValue raw) noexcept {
    switch (runtimeFormOf(kind)) {
        case RuntimeValueForm::Integer: return {static_cast<std::uint32_t>(raw.word1), 0};
        case RuntimeValueForm::Wide: return {static_cast<std::uint32_t>(raw.word1), raw.word2};
        // Only exactly 1 is true: a class that stores other non-zero values
        // does not make them true by accident.
        case RuntimeValueForm::Bool: return {raw.word1 == 1 ? 1u : 0u, 0};
        default: return {};
    }
}

RawValue writeScalar(std::uint16_t kind, RuntimeWords value) noexcept {
    switch (runtimeFormOf(kind)) {
        case RuntimeValueForm::Integer:
            if (static_cast<PropertyKind>(kind) == PropertyKind::Choice && static_cast<std::int32_t>(value.low) < 0) {
                return {0, 0};
            }
            return {value.low, 0};
        case RuntimeValueForm::Wide: return {value.low, value.high};
        case RuntimeValueForm::Bool: return {value.low != 0 ? 1u : 0u, 0};
        default: return {};
    }
}

}  // namespace veltrano
