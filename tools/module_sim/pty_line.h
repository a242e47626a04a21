#pragma once

#include <string>

#include "tools/posix/unique_fd.h"

namespace veltrano::modulesim {
using veltrano::posix::UniqueFd;

// The module's end of the serial line: the master of a pseudo-terminal pair.
// The slave, which the program opens, is published under a stable link path
// because pty numbers change from run to run.
class PtyLine {
public:
    // Creates the pair in raw mode (no echo, no line editing, no CR/LF
    // translation, so the module never hears its own replies) and publishes
    // the slave at `linkPath`. Throws std::runtime_error on failure.
    explicit PtyLine(std::string linkPath);
    ~PtyLine();
    PtyLine(const PtyLine&) = delete;
    PtyLine& operator=(const PtyLine&) = delete;

    // Non-blocking master; -1 once hung up.
    int fd() const { return master_.get(); }
    bool open() const { return master_.valid(); }
    const std::string& slavePath() const { return slavePath_; }

    // Closes both ends and withdraws the link: to the program it is as if
    // the adapter had been pulled out.
    void hangUp();

private:
    void withdrawLink();

    UniqueFd master_;
    // Held so that the master sees no hang-up while the program closes and
    // reopens its side, and so that the line settings survive in between.
    UniqueFd slave_;
    std::string slavePath_;
    std::string linkPath_;
};

}  // namespace veltrano::modulesim
