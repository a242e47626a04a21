#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace veltrano::module {

using Bytes = std::vector<std::uint8_t>;
using Millis = std::chrono::milliseconds;

// One serial line to a module, open at its rate, raw 8N1. The module frames
// nothing and acknowledges nothing, so the line only moves bytes; what they
// mean is judged above it.
class ModuleLine {
public:
    virtual ~ModuleLine() = default;
    ModuleLine(const ModuleLine&) = delete;
    ModuleLine& operator=(const ModuleLine&) = delete;

    // Writes all of `bytes`; false once the line is gone (adapter pulled).
    virtual bool write(std::span<const std::uint8_t> bytes) = 0;
    // Appends what arrives within `within` to `into`, returning as soon as
    // anything has come; false once the line is gone.
    virtual bool read(Bytes& into, Millis within) = 0;

protected:
    ModuleLine() = default;
};

// Opens a port by the name the system gives it.
class LineOpener {
public:
    virtual ~LineOpener() = default;
    // Null, with `reason` set to a phrase naming why, when it cannot be opened.
    virtual std::unique_ptr<ModuleLine> open(const std::string& port, int rate, std::string& reason) = 0;
};

}  // namespace veltrano::module
