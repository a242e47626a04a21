#pragma once

#include <string>

#include "tools/posix/unique_fd.h"

namespace veltrano::serialtest {
using veltrano::posix::UniqueFd;

// A pseudo-terminal pair: the far end keeps the master, the program under
// test opens the slave through a symbolic link whose path stays the same from
// run to run while the pty number changes.
class PseudoTerminal {
public:
    // Throws std::runtime_error when the system has no pty to give.
    PseudoTerminal();

    int master() const { return master_.get(); }
    const std::string& slavePath() const { return slavePath_; }

    // Puts the line into raw mode now; otherwise it keeps the system's
    // defaults (line editing, echo, CR/LF translation) until the program at
    // the other end changes them.
    void makeRaw();

private:
    UniqueFd master_;
    // Held open so that the master sees no hang-up while the program under
    // test opens and closes its side.
    UniqueFd slave_;
    std::string slavePath_;
};

// Points `linkPath` at `target`, replacing any earlier link in one step, and
// removes it again on destruction if it still points there.
class PublishedLink {
public:
    PublishedLink(std::string linkPath, std::string target);
    ~PublishedLink();
    PublishedLink(const PublishedLink&) = delete;
    PublishedLink& operator=(const PublishedLink&) = delete;

private:
    std::string linkPath_;
    std::string target_;
};

}  // namespace veltrano::serialtest
