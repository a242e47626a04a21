// libFuzzer entry for the window template reader.
#include "fuzz_entry.h"
#include "template_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return veltrano::fuzz::runCheck(veltrano::fuzz::checkTemplateSegment, data, size);
}
