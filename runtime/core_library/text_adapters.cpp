#include "runtime/commands/replace_subtext.h"
#include "runtime/commands/text_commands.h"
#include "runtime/core_library/command_arguments.h"
#include "runtime/core_library/command_results.h"
#include "runtime/core_library/core_library.h"

namespace veltrano::core_library {

void TextLength(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments) {
    const CommandArguments in(count, arguments);
    setInteger(*result, commands::TextLength(in.text(0)));
}

void LeftText(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments) {
    const CommandArguments in(count, arguments);
    setText(*result, commands::LeftText(in.text(0), in.integer(1)));
}

void RightText(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments) {
    const CommandArguments in(count, arguments);
    setText(*result, commands::RightText(in.text(0), in.integer(1)));
}

void MidText(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments) {
    const CommandArguments in(count, arguments);
    setText(*result, commands::MidText(in.text(0), in.integer(1), in.integer(2)));
}

void CharCode(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments) {
    const CommandArguments in(count, arguments);
    setInteger(*result, commands::CharCode(in.text(0), in.optionalInteger(1).value_or(1)));
}

void BlankText(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments) {
    const CommandArguments in(count, arguments);
    setText(*result, commands::BlankText(in.integer(0)));
}

void ToUpper(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments) {
    const CommandArguments in(count, arguments);
    setText(*result, commands::ToUpper(in.text(0)));
}

void TrimBoth(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments) {
    const CommandArguments in(count, arguments);
    setText(*result, commands::TrimBoth(in.text(0)));
}

void RemoveSpaces(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments) {
    const CommandArguments in(count, arguments);
    setText(*result, commands::RemoveSpaces(in.text(0)));
}

void ReplaceSubtext(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments) {
    const CommandArguments in(count, arguments);
    commands::ReplaceArguments options;
    options.replacement = in.optionalText(2).value_or(std::string_view{});
    options.start = in.optionalInteger(3);
    options.count = in.optionalInteger(4);
    options.caseSensitive = in.optionalInteger(5).value_or(0) != 0;
    setText(*result, commands::ReplaceSubtext(in.text(0), in.text(1), options));
}

void HexText(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments) {
    const CommandArguments in(count, arguments);
    setText(*result, commands::HexText(in.integer(0)));
}

}  // namespace veltrano::core_library
