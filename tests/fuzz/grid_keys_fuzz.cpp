// libFuzzer entry for the grid's focus moves and its clipboard text.
#include "fuzz_entry.h"
#include "grid_keys_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return veltrano::fuzz::runCheck(veltrano::fuzz::checkGridKeys, data, size);
}
