#pragma once

#include <string>

#include "tools/posix/unique_fd.h"

namespace veltrano::posix {

// A pseudo-terminal pair: the far end of a serial line keeps the master, the
// program under test opens the slave. Throws std::runtime_error when the
// system has no pty to give.
class PseudoTerminal {
public:
    explicit PseudoTerminal(bool nonBlockingMaster = false);

    int master() const { return master_.get(); }
    bool open() const { return master_.valid(); }
    const std::string& slavePath() const { return slavePath_; }

    // Raw mode: no echo, no line editing, no CR/LF translation. Until this
    // (or the program at the other end) changes them the line keeps the
    // system's defaults.
    void makeRaw();
    // Closes both ends: to the program it is as if the adapter were pulled.
    void close();

private:
    UniqueFd master_;
    // Held open so that the master sees no hang-up while the program closes
    // and reopens its side, and the line settings survive in between.
    UniqueFd slave_;
    std::string slavePath_;
};

// Points `linkPath` at `target`, replacing any earlier link in one step so a
// waiting program never sees the path missing or pointing at a dead pty, and
// removes it again when withdrawn if it still points there. pty numbers
// change from run to run; the link's path does not.
class PublishedLink {
public:
    PublishedLink(std::string linkPath, std::string target);
    ~PublishedLink() { withdraw(); }
    PublishedLink(const PublishedLink&) = delete;
    PublishedLink& operator=(const PublishedLink&) = delete;

    void withdraw();

private:
    std::string linkPath_;
    std::string target_;
};

}  // namespace veltrano::posix
