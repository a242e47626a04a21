// libFuzzer entry for the hexadecimal text codec.
#include "fuzz_entry.h"
#include "hex_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return veltrano::fuzz::runCheck(veltrano::fuzz::checkHexText, data, size);
}
