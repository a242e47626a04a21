#include "tests/serial/far_end.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "tools/posix/unique_fd.h"

namespace veltrano::serialtest {
using veltrano::posix::UniqueFd;
namespace {

void writeAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR || errno == EAGAIN) {
                continue;
            }
            throw std::runtime_error(std::string("write: ") + std::strerror(errno));
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
}

UniqueFd stopSignals() {
    sigset_t stops;
    sigemptyset(&stops);
    sigaddset(&stops, SIGTERM);
    sigaddset(&stops, SIGINT);
    UniqueFd fd(signalfd(-1, &stops, SFD_CLOEXEC));
    if (!fd.valid()) {
        throw std::runtime_error(std::string("signalfd: ") + std::strerror(errno));
    }
    return fd;
}

}  // namespace

FarEndOutcome serveLine(int master, const FarEndScript& script) {
    UniqueFd record;
    if (!script.recordPath.empty()) {
        record.reset(::open(script.recordPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
        if (!record.valid()) {
            throw std::runtime_error("cannot write " + script.recordPath);
        }
    }
    const UniqueFd stop = stopSignals();
    const bool expecting = !script.expect.empty();
    std::vector<std::uint8_t> received;
    FarEndOutcome outcome = expecting ? FarEndOutcome::TimedOut : FarEndOutcome::NothingToDo;
    bool decided = false;

    const auto deadline = std::chrono::steady_clock::now() + script.timeout;
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return outcome;
        }
        std::array<pollfd, 2> waits{{{master, POLLIN, 0}, {stop.get(), POLLIN, 0}}};
        const int ready = ::poll(waits.data(), waits.size(), static_cast<int>(std::min<long long>(left.count(), 1000)));
        if (ready < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw std::runtime_error(std::string("poll: ") + std::strerror(errno));
        }
        // Bytes already on the line when the stop comes still belong to the
        // record, so a stop only ends the session once the line is drained.
        const bool stopping = waits[1].revents != 0;
        if ((waits[0].revents & POLLIN) == 0) {
            if (stopping) {
                return outcome;
            }
            continue;
        }
        std::array<std::uint8_t, 256> chunk{};
        const ssize_t count = ::read(master, chunk.data(), chunk.size());
        if (count <= 0) {
            if (stopping) {
                return outcome;
            }
            continue;
        }
        const auto size = static_cast<std::size_t>(count);
        if (record.valid()) {
            writeAll(record.get(), chunk.data(), size);
        }
        received.insert(received.end(), chunk.begin(), chunk.begin() + count);
        if (!expecting || decided) {
            continue;
        }
        const std::size_t compared = std::min(received.size(), script.expect.size());
        if (!std::equal(received.begin(), received.begin() + static_cast<std::ptrdiff_t>(compared),
                        script.expect.begin())) {
            decided = true;
            outcome = FarEndOutcome::Mismatch;
        } else if (compared == script.expect.size()) {
            writeAll(master, script.reply.data(), script.reply.size());
            decided = true;
            outcome = FarEndOutcome::Replied;
        }
    }
}

}  // namespace veltrano::serialtest
