#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "components/classdata/codec.h"
#include "components/support/class_routines.h"
#include "runtime/kernel/component_class.h"

namespace veltrano {

// What a class's text conversion answers when it is handed no conversion.
enum class WithoutConverter {
    Nothing,
    // The class data as it stands, written as the newest version.
    UnchangedData,
};

inline void convertTextItem(std::string& text, TextConverter convert, void* context) {
    text = convert(text, context);
}

inline void convertTextItem(std::vector<std::string>& texts, TextConverter convert, void* context) {
    for (std::string& text : texts) text = convert(text, context);
}

// class_interface::kTextConversion of a class whose class data record is Data
// and whose text items are the members Texts, converted in that order.
template <typename Data, WithoutConverter withoutConverter, auto... Texts>
std::optional<std::vector<std::uint8_t>> convertClassTexts(const std::uint8_t* classData, std::uint32_t length,
                                                           TextConverter convert, void* context) {
    if (convert == nullptr && withoutConverter == WithoutConverter::Nothing) return std::nullopt;
    std::optional<Data> data = classdata::decode<Data>(classDataBytes(classData, length));
    if (!data) return std::nullopt;
    if (convert != nullptr) (convertTextItem((*data).*Texts, convert, context), ...);
    return encode(*data);  // found beside Data
}

}  // namespace veltrano
