#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>

namespace veltrano::fuzz {

// A broken property is a finding like a crash: libFuzzer keeps the input
// when the process aborts.
inline int runCheck(std::string (*check)(std::span<const std::uint8_t>), const std::uint8_t* data, std::size_t size) {
    const std::string failure = check(std::span<const std::uint8_t>(data, size));
    if (!failure.empty()) {
        std::fprintf(stderr, "property broken: %s\n", failure.c_str());
        std::abort();
    }
    return 0;
}

}  // namespace veltrano::fuzz
