#include "runtime/dispatch/event_arguments.h"

#include "runtime/values/type_codes.h"

namespace veltrano {
namespace {

// A menu item's argument travels as two words like a 64-bit value.
constexpr std::uint32_t kMenuItemType = 0x10003;
constexpr std::uint32_t kWideType80000008 = 0x80000008;

bool takesTwoWords(const TypedEventArgument& argument) {
    if (argument.flags & event_argument_flag::kTwoWords) return true;
    switch (argument.type) {
        case kMenuItemType:
        case type_code::kLong:
        case type_code::kDouble:
        case type_code::kDateTime:
        case kWideType80000008: return true;
        default: return false;
    }
}

// Texts, byte sets, subroutines and arrays are addresses.
bool isAddress(const TypedEventArgument& argument) {
    switch (argument.type) {
        case type_code::kText:
        case type_code::kByteSet:
        case type_code::kSubroutine: return true;
        default: return isArrayType(argument.type);
    }
}

}  // namespace

std::vector<EventWord> packTypedEventArguments(std::span<const TypedEventArgument> arguments) {
    std::vector<EventWord> words;
    words.reserve(arguments.size() * 2);
    for (const TypedEventArgument& argument : arguments) {
        if (argument.flags & event_argument_flag::kByAddress) {
            words.push_back(joinAddressWords(argument.low, argument.high));
        } else if (takesTwoWords(argument)) {
            words.push_back(argument.low);
            words.push_back(argument.high);
        } else if (isAddress(argument)) {
            words.push_back(joinAddressWords(argument.low, argument.high));
        } else if (argument.type == type_code::kByte) {
            words.push_back(argument.low & 0xFFu);
        } else if (argument.type == type_code::kShort) {
            const auto value = static_cast<std::int16_t>(argument.low & 0xFFFFu);
            words.push_back(static_cast<std::uint32_t>(static_cast<std::int32_t>(value)));
        } else {
            words.push_back(argument.low);
        }
    }
    return words;
}

}  // namespace veltrano
