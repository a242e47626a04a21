// libFuzzer entry for the table file loader.
#include "fuzz_entry.h"
#include "grid_file_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return veltrano::fuzz::runCheck(veltrano::fuzz::checkGridFile, data, size);
}
