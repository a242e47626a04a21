#include "tools/posix/pseudo_terminal.h"

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace veltrano::posix {
namespace {

[[noreturn]] void fail(const std::string& what) {
    throw std::runtime_error(what + ": " + std::strerror(errno));
}

}  // namespace

PseudoTerminal::PseudoTerminal(bool nonBlockingMaster)
    : master_(posix_openpt(O_RDWR | O_NOCTTY | (nonBlockingMaster ? O_NONBLOCK : 0))) {
    if (!master_.valid()) fail("posix_openpt");
    if (grantpt(master_.get()) != 0 || unlockpt(master_.get()) != 0) fail("grantpt/unlockpt");
    std::array<char, 128> name{};
    if (ptsname_r(master_.get(), name.data(), name.size()) != 0) fail("ptsname_r");
    slavePath_ = name.data();
    slave_.reset(::open(slavePath_.c_str(), O_RDWR | O_NOCTTY));
    if (!slave_.valid()) fail("open " + slavePath_);
}

void PseudoTerminal::makeRaw() {
    termios settings{};
    if (tcgetattr(slave_.get(), &settings) != 0) fail("tcgetattr");
    cfmakeraw(&settings);
    if (tcsetattr(slave_.get(), TCSANOW, &settings) != 0) fail("tcsetattr");
}

void PseudoTerminal::close() {
    slave_.reset();
    master_.reset();
}

PublishedLink::PublishedLink(std::string linkPath, std::string target)
    : linkPath_(std::move(linkPath)), target_(std::move(target)) {
    const std::string temporary = linkPath_ + ".new." + std::to_string(::getpid());
    ::unlink(temporary.c_str());
    if (::symlink(target_.c_str(), temporary.c_str()) != 0) fail("symlink " + temporary);
    if (std::rename(temporary.c_str(), linkPath_.c_str()) != 0) {
        ::unlink(temporary.c_str());
        fail("rename to " + linkPath_);
    }
}

void PublishedLink::withdraw() {
    if (linkPath_.empty()) return;
    std::array<char, 256> current{};
    const ssize_t length = ::readlink(linkPath_.c_str(), current.data(), current.size() - 1);
    if (length > 0 && std::string(current.data(), static_cast<std::size_t>(length)) == target_) {
        ::unlink(linkPath_.c_str());
    }
    linkPath_.clear();
}

}  // namespace veltrano::posix
