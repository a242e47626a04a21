#include "tools/veltrano_table/code_rule.h"

#include "app/hex/hex_codec.h"
#include "app/protocol/frames.h"
#include "tools/veltrano_table/gbk_text.h"
#include "tools/veltrano_table/message_text.h"

namespace veltrano::tools {

std::optional<std::string> codeProblem(std::string_view code) {
    // The program drops every space of a code before it decodes it.
    const std::optional<hex::HexFault> fault = hex::findHexFault(protocol::removeAllSpaces(code));
    if (!fault) {
        return std::nullopt;
    }
    if (fault->kind == hex::HexFault::Kind::OddLength) {
        return std::string("the code has an odd number of hexadecimal digits; every byte takes two");
    }
    const std::optional<std::string> character = gbkToUtf8(fault->character);
    return (character ? quotedText(*character) : "byte " + byteName(static_cast<unsigned char>(fault->character[0]))) +
           " is not a hexadecimal digit; a code holds only 0-9 and A-F (either case), spaces aside";
}

}  // namespace veltrano::tools
