// libFuzzer entry for the receive step's classification of a read.
#include "fuzz_entry.h"
#include "receive_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return veltrano::fuzz::runCheck(veltrano::fuzz::checkReceivedRead, data, size);
}
