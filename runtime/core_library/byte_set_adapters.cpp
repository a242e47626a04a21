#include "runtime/commands/byte_set_commands.h"
#include "runtime/core_library/command_arguments.h"
#include "runtime/core_library/command_results.h"
#include "runtime/core_library/core_library.h"

namespace veltrano::core_library {

void ByteSetLength(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments) {
    const CommandArguments in(count, arguments);
    setInteger(*result, commands::ByteSetLength(in.byteSet(0)));
}

void BlankByteSet(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments) {
    const CommandArguments in(count, arguments);
    setByteSet(*result, commands::BlankByteSet(in.integer(0)));
}

void LeftBytes(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments) {
    const CommandArguments in(count, arguments);
    setByteSet(*result, commands::LeftBytes(in.byteSet(0), in.integer(1)));
}

}  // namespace veltrano::core_library
