#include <vector>

#include "runtime/commands/remainder.h"
#include "runtime/commands/system_texts.h"
#include "runtime/commands/to_integer.h"
#include "runtime/commands/to_text.h"
#include "runtime/core_library/command_arguments.h"
#include "runtime/core_library/command_results.h"
#include "runtime/core_library/core_library.h"
#include "runtime/kernel/runtime_services.h"

namespace veltrano::core_library {

void ToText(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments) {
    const CommandArguments in(count, arguments);
    setText(*result, commands::ToText(in.value(0)));
}

void ToInteger(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments) {
    const CommandArguments in(count, arguments);
    setInteger(*result, commands::ToInteger(in.value(0)));
}

void ProgramDirectory(ValueTriple* result, std::uint32_t, const ValueTriple*) {
    const char* directory = services::runDirectory();
    setText(*result, directory == nullptr ? std::string_view{} : std::string_view{directory});
}

void Remainder(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments) {
    const CommandArguments in(count, arguments);
    std::vector<double> values;
    values.reserve(count);
    for (std::uint32_t i = 0; i < in.count(); ++i) values.push_back(in.real(i));
    const auto remainder = commands::Remainder(values);
    if (!remainder) services::fatalError(commands::system_text::kRemainderByZero.data());
    setDouble(*result, *remainder);
}

}  // namespace veltrano::core_library
