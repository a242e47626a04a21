#pragma once

#include <cstdint>

#include "runtime/values/address_word.h"

namespace veltrano {

// Type codes of the values that cross between the application, the runtime
// and the support libraries.
namespace type_code {
inline constexpr std::uint32_t kNone = 0;
inline constexpr std::uint32_t kByte = 0x80000101;
inline constexpr std::uint32_t kShort = 0x80000201;
inline constexpr std::uint32_t kInteger = 0x80000301;
inline constexpr std::uint32_t kLong = 0x80000401;
inline constexpr std::uint32_t kFloat = 0x80000501;
inline constexpr std::uint32_t kDouble = 0x80000601;
inline constexpr std::uint32_t kBool = 0x80000002;
inline constexpr std::uint32_t kDateTime = 0x80000003;
inline constexpr std::uint32_t kText = 0x80000004;
inline constexpr std::uint32_t kByteSet = 0x80000005;
inline constexpr std::uint32_t kSubroutine = 0x80000006;
inline constexpr std::uint32_t kArrayFlag = 0x20000000;
}  // namespace type_code

enum class TypeCategory { None, Base, UserData, LibraryUnit };

constexpr TypeCategory typeCategory(std::uint32_t code) noexcept {
    if (code == type_code::kNone) return TypeCategory::None;
    if (code >= 0x80000000u && code <= 0xBFFFFFFFu) return TypeCategory::Base;
    if (code >= 0x40000000u && code <= 0x7FFFFFFFu) return TypeCategory::UserData;
    return TypeCategory::LibraryUnit;
}

constexpr bool isNumericType(std::uint32_t code) noexcept {
    return typeCategory(code) == TypeCategory::Base && (code & 0xFFu) == 1 && code >= type_code::kByte &&
           code <= type_code::kDouble;
}

constexpr bool isArrayType(std::uint32_t code) noexcept {
    return typeCategory(code) == TypeCategory::Base && (code & type_code::kArrayFlag) != 0;
}

constexpr std::uint32_t arrayElementType(std::uint32_t code) noexcept {
    return code & ~type_code::kArrayFlag;
}

// Size in bytes of one element of the type inside an array (texts and byte
// sets are addresses, as wide as the target's).
constexpr std::uint32_t elementSize(std::uint32_t code) noexcept {
    switch (arrayElementType(code)) {
        case type_code::kByte: return 1;
        case type_code::kShort: return 2;
        case type_code::kLong:
        case type_code::kDouble:
        case type_code::kDateTime: return 8;
        case type_code::kText:
        case type_code::kByteSet: return sizeof(AddressWord);
        default: return 4;
    }
}

// The form of every command argument and result: two value words and a type.
struct ValueTriple {
    std::uint32_t low = 0;
    std::uint32_t high = 0;
    std::uint32_t type = 0;

    // Texts, byte sets and arrays: the address in the two value words.
    static ValueTriple ofAddress(const void* address, std::uint32_t typeCode) noexcept {
        const SplitAddress words = splitAddressWord(addressWord(address));
        return ValueTriple{words.low, words.high, typeCode};
    }
    AddressWord addressValue() const noexcept { return joinAddressWords(low, high); }
    template <typename T>
    T* address() const noexcept {
        return addressFromWord<T>(addressValue());
    }
};
static_assert(sizeof(ValueTriple) == 12);

}  // namespace veltrano
