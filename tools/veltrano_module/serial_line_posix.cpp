#include "tools/veltrano_module/serial_line_posix.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <optional>
#include <utility>

namespace veltrano::module {
namespace {

// A write that cannot go on for this long means the far end has stopped
// taking bytes: the adapter is as good as gone.
constexpr int kWriteStallMs = 2000;

struct RateCode {
    int rate;
    speed_t code;
};

// POSIX names rates up to 38400; the faster ones are each system's own.
constexpr RateCode kRates[] = {
    {1200, B1200},       {2400, B2400},   {4800, B4800},     {9600, B9600},     {19200, B19200},
    {38400, B38400},     {57600, B57600}, {115200, B115200}, {230400, B230400},
#ifdef B460800
    {460800, B460800},
#endif
#ifdef B500000
    {500000, B500000},
#endif
#ifdef B921600
    {921600, B921600},
#endif
#ifdef B1000000
    {1000000, B1000000},
#endif
#ifdef B2000000
    {2000000, B2000000},
#endif
#ifdef B4000000
    {4000000, B4000000},
#endif
};

std::optional<speed_t> speedOf(int rate) {
    for (const RateCode& known : kRates) {
        if (known.rate == rate) return known.code;
    }
    return std::nullopt;
}

bool lineBroken(short events) {
    return (events & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

}  // namespace

std::unique_ptr<PosixSerialLine> PosixSerialLine::open(const std::string& path, int rate, std::string& reason) {
    const auto speed = speedOf(rate);
    if (!speed) {
        reason = std::to_string(rate) + " is not a rate the system's serial driver offers";
        return nullptr;
    }
    posix::UniqueFd fd(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.valid()) {
        reason = std::strerror(errno);
        return nullptr;
    }
    termios settings{};
    if (tcgetattr(fd.get(), &settings) != 0) {
        reason = std::string("not a serial line: ") + std::strerror(errno);
        return nullptr;
    }
    cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD;
    settings.c_cflag &= ~static_cast<tcflag_t>(CSTOPB | PARENB | CRTSCTS);
    settings.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    if (cfsetispeed(&settings, *speed) != 0 || cfsetospeed(&settings, *speed) != 0 ||
        tcsetattr(fd.get(), TCSANOW, &settings) != 0) {
        reason = std::string("the line settings were refused: ") + std::strerror(errno);
        return nullptr;
    }
    // Bytes left over from before belong to nobody's question.
    tcflush(fd.get(), TCIOFLUSH);
    return std::unique_ptr<PosixSerialLine>(new PosixSerialLine(std::move(fd)));
}

bool PosixSerialLine::write(std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd_.get(), bytes.data(), bytes.size());
        if (written > 0) {
            bytes = bytes.subspan(static_cast<std::size_t>(written));
            continue;
        }
        if (written < 0 && errno == EINTR) continue;
        if (written < 0 && errno != EAGAIN) return false;
        pollfd wait{fd_.get(), POLLOUT, 0};
        const int ready = ::poll(&wait, 1, kWriteStallMs);
        if (ready == 0 || (ready > 0 && lineBroken(wait.revents))) return false;
    }
    return true;
}

bool PosixSerialLine::read(Bytes& into, Millis within) {
    pollfd wait{fd_.get(), POLLIN, 0};
    const int ready = ::poll(&wait, 1, static_cast<int>(std::max<Millis::rep>(within.count(), 0)));
    if (ready <= 0) return ready == 0 || errno == EINTR;
    if ((wait.revents & POLLIN) == 0) return !lineBroken(wait.revents);
    std::array<std::uint8_t, 4096> buffer{};
    const ssize_t got = ::read(fd_.get(), buffer.data(), buffer.size());
    if (got > 0) {
        into.insert(into.end(), buffer.begin(), buffer.begin() + got);
        return true;
    }
    return got < 0 && (errno == EAGAIN || errno == EINTR);
}

}  // namespace veltrano::module
