#pragma once

#include <string>

#include "tools/posix/unique_fd.h"
#include "tools/veltrano_module/module_line.h"

namespace veltrano::module {

// A serial device (or pseudo-terminal) in raw 8N1 at a rate, driven with
// poll and deadlines so that nothing waits longer than asked.
class PosixSerialLine final : public ModuleLine {
public:
    // Null, with `reason` set, when the device cannot be opened or set up.
    static std::unique_ptr<PosixSerialLine> open(const std::string& path, int rate, std::string& reason);

    bool write(std::span<const std::uint8_t> bytes) override;
    bool read(Bytes& into, Millis within) override;

private:
    explicit PosixSerialLine(posix::UniqueFd fd) : fd_(std::move(fd)) {}

    posix::UniqueFd fd_;
};

class PosixLineOpener final : public LineOpener {
public:
    std::unique_ptr<ModuleLine> open(const std::string& port, int rate, std::string& reason) override {
        return PosixSerialLine::open(port, rate, reason);
    }
};

}  // namespace veltrano::module
