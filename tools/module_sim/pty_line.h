#pragma once

#include <optional>
#include <string>

#include "tools/posix/pseudo_terminal.h"

namespace veltrano::modulesim {

// The module's end of the serial line: the master of a raw pseudo-terminal
// pair whose slave, which the program opens, is published at a stable path.
class PtyLine {
public:
    // Throws std::runtime_error on failure.
    explicit PtyLine(std::string linkPath);

    // Non-blocking master; -1 once hung up.
    int fd() const { return terminal_.master(); }
    bool open() const { return terminal_.open(); }
    const std::string& slavePath() const { return terminal_.slavePath(); }

    // Closes both ends and withdraws the link: to the program it is as if
    // the adapter had been pulled out.
    void hangUp();

private:
    posix::PseudoTerminal terminal_;
    std::optional<posix::PublishedLink> link_;
};

}  // namespace veltrano::modulesim
