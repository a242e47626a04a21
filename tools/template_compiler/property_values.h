#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/template_compiler/definition.h"

namespace veltrano::tc {

// Property values from definition words, by field type. Each answers an
// error message, or nothing when the field was set.
//   integers: 12, -3, 0x00D77800 (32-bit; 0x80000000 and above wrap for signed fields)
//   bool: true | false
//   text: one quoted text, converted to code page 936
//   PasswordChar-like 16-bit fields: a number or a one-byte quoted text
//   bytes: empty | hex "0A0B..." | emblem SIZE (the generated icon)
//   text lists: zero or more quoted texts
std::optional<std::string> assignValue(std::int32_t& field, const std::vector<Token>& value);
std::optional<std::string> assignValue(std::uint32_t& field, const std::vector<Token>& value);
std::optional<std::string> assignValue(std::uint16_t& field, const std::vector<Token>& value);
std::optional<std::string> assignValue(bool& field, const std::vector<Token>& value);
std::optional<std::string> assignValue(std::string& field, const std::vector<Token>& value);
std::optional<std::string> assignValue(std::vector<std::uint8_t>& field, const std::vector<Token>& value);
std::optional<std::string> assignValue(std::vector<std::string>& field, const std::vector<Token>& value);

// The stable readable forms used by the dump.
std::string describeValue(std::int32_t value);
std::string describeValue(std::uint32_t value);
std::string describeValue(std::uint16_t value);
std::string describeValue(bool value);
std::string describeValue(const std::string& gbk);
std::string describeValue(const std::vector<std::uint8_t>& bytes);
std::string describeValue(const std::vector<std::string>& gbkTexts);

// Integer words shared with the structural keywords.
std::optional<std::int64_t> parseInteger(const Token& token);
std::string hex32(std::uint32_t value);
// A GBK text as a quoted UTF-8 text with escapes.
std::string quoteGbk(const std::string& gbk);

}  // namespace veltrano::tc
