#include <vector>

#include "runtime/commands/format_text.h"
#include "runtime/core_library/command_arguments.h"
#include "runtime/core_library/command_results.h"
#include "runtime/core_library/core_library.h"

namespace veltrano::core_library {

void FormatText(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments) {
    const CommandArguments in(count, arguments);
    // An unsupported value gives the empty text, never a runtime error, and
    // so does a format that is not a text.
    if (in.count() == 0 || in.triple(0).type != type_code::kText) {
        setText(*result, {});
        return;
    }
    std::vector<commands::Value> values;
    values.reserve(in.count() - 1);
    for (std::uint32_t i = 1; i < in.count(); ++i) values.push_back(in.value(i));
    setText(*result, commands::FormatText(in.text(0), values));
}

}  // namespace veltrano::core_library
