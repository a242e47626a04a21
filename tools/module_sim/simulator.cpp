#include "tools/module_sim/simulator.h"

#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <exception>

#include "tools/module_sim/frame_log.h"
#include "tools/module_sim/module.h"
#include "tools/module_sim/pty_line.h"
#include "tools/module_sim/text_files.h"
#include "tools/posix/unique_fd.h"

namespace veltrano::modulesim {
using veltrano::posix::UniqueFd;
namespace {

class Simulator {
public:
    Simulator(const Options& options, PtyLine& line, int signals, TimePoint start)
        : options_(options),
          line_(line),
          signals_(signals),
          log_(options.logPath, start),
          module_(options.module),
          assembler_(options.quietGap),
          output_(options.output, start) {}

    bool prepare() {
        if (log_.failed()) {
            std::fprintf(stderr, "veltrano-module-sim: cannot open the log %s\n", options_.logPath.c_str());
            return false;
        }
        if (!options_.storePath.empty()) {
            if (const auto text = readFile(options_.storePath)) {
                auto store = parseStore(*text);
                if (!store) {
                    std::fprintf(stderr, "veltrano-module-sim: %s is not a store file\n", options_.storePath.c_str());
                    return false;
                }
                module_.replaceStore(std::move(*store));
            }
        }
        return publishStatus();
    }

    void run() {
        while (!stopping_) {
            const TimePoint now = Clock::now();
            pollOnce(timeoutFrom(now));
            const TimePoint after = Clock::now();
            closeQuietFrame(after);
            sendDue(after);
        }
        publishStatus();
    }

private:
    int timeoutFrom(TimePoint now) const {
        std::optional<TimePoint> wake = assembler_.quietDeadline();
        if (const auto due = output_.nextDue()) {
            wake = wake ? std::min(*wake, *due) : *due;
        }
        if (!wake) {
            return -1;
        }
        const auto wait = std::chrono::ceil<Millis>(*wake - now).count();
        return static_cast<int>(std::clamp<long long>(wait, 0, 60000));
    }

    void pollOnce(int timeout) {
        std::array<pollfd, 2> fds{{{signals_, POLLIN, 0}, {line_.fd(), POLLIN, 0}}};
        const nfds_t count = line_.open() ? 2 : 1;
        if (::poll(fds.data(), count, timeout) < 0) {
            if (errno != EINTR) {
                std::perror("veltrano-module-sim: poll");
                stopping_ = true;
            }
            return;
        }
        if (fds[0].revents & POLLIN) {
            signalfd_siginfo info{};
            if (::read(signals_, &info, sizeof info) > 0) {
                stopping_ = true;
            }
        }
        if (count > 1 && (fds[1].revents & POLLIN)) {
            readLine();
        }
    }

    void readLine() {
        std::array<std::uint8_t, 4096> buffer{};
        const ssize_t got = ::read(line_.fd(), buffer.data(), buffer.size());
        if (got <= 0) {
            return;
        }
        const TimePoint now = Clock::now();
        closeQuietFrame(now);
        for (auto& frame : assembler_.feed(std::span(buffer.data(), static_cast<std::size_t>(got)), now)) {
            if (!line_.open()) {
                break;
            }
            handleFrame(frame, now, now);
        }
    }

    // A frame that only silence ends is logged at the time its last byte
    // came, like every other frame, so the log says when it was on the line;
    // the module answers it from `now`, once it knows the frame is whole.
    void closeQuietFrame(TimePoint now) {
        if (auto frame = assembler_.closeIfQuiet(now)) {
            handleFrame(*frame, now, assembler_.lastByteAt());
        }
    }

    void handleFrame(const Bytes& frame, TimePoint now, TimePoint arrived) {
        Handled handled = module_.handle(frame);
        log_.write(arrived, "rx", kindName(handled.frame.kind), handled.note, frame);
        for (auto& reply : handled.replies) {
            output_.enqueue(std::move(reply.bytes), reply.delay, std::move(reply.kind), now);
        }
        if (handled.frame.kind == FrameKind::Slot || handled.frame.kind == FrameKind::Clear) {
            saveStore();
        }
        if (options_.hangupAfter > 0 && module_.framesReceived() >= options_.hangupAfter) {
            hangUp(now);
        }
        publishStatus();
    }

    void hangUp(TimePoint now) {
        log_.write(now, "--", "hang-up", {}, {});
        output_.clear();
        line_.hangUp();
        hungUp_ = true;
        stopping_ = true;
    }

    void sendDue(TimePoint now) {
        if (!line_.open()) {
            return;
        }
        for (const auto& chunk : output_.takeDue(now)) {
            const ssize_t written = ::write(line_.fd(), chunk.bytes.data(), chunk.bytes.size());
            // Nobody reading fills the line's buffer; what does not fit is
            // lost, as on a real line with no one listening.
            const bool lost = written != static_cast<ssize_t>(chunk.bytes.size());
            log_.write(now, "tx", chunk.kind, lost ? "lost" : "", chunk.bytes);
            if (chunk.kind == "record" && chunk.frameEnd) {
                ++recordsSent_;
            }
            if (options_.hangupAfterRecords > 0 && recordsSent_ >= options_.hangupAfterRecords) {
                hangUp(now);
                publishStatus();
                return;
            }
        }
    }

    void saveStore() {
        if (!options_.storePath.empty() && !replaceFile(options_.storePath, formatStore(module_.store()))) {
            std::fprintf(stderr, "veltrano-module-sim: cannot write %s\n", options_.storePath.c_str());
        }
    }

    bool publishStatus() {
        if (options_.statusPath.empty()) {
            return true;
        }
        if (!replaceFile(options_.statusPath, formatStatus(module_, hungUp_))) {
            std::fprintf(stderr, "veltrano-module-sim: cannot write %s\n", options_.statusPath.c_str());
            return false;
        }
        return true;
    }

    const Options& options_;
    PtyLine& line_;
    int signals_;
    FrameLog log_;
    Module module_;
    FrameAssembler assembler_;
    OutputSchedule output_;
    bool stopping_ = false;
    bool hungUp_ = false;
    long recordsSent_ = 0;
};

// Whoever started the simulator learns where the module is and where its
// frames go; the line is flushed at once, as the output is often a file.
// The log's times count from `logStart`, given in Unix time so that another
// process can put them on its own clock.
void announce(const Options& options, const PtyLine& line, std::chrono::system_clock::time_point logStart) {
    std::printf("veltrano-module-sim: the module listens on %s, linked as %s\n", line.slavePath().c_str(),
                options.linkPath.c_str());
    if (options.logPath.empty()) {
        std::printf("veltrano-module-sim: no frame log is kept (--log FILE keeps one)\n");
    } else {
        const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(logStart.time_since_epoch()).count();
        std::printf("veltrano-module-sim: frames are logged to %s, times counted from Unix time %lld.%06lld\n",
                    options.logPath.c_str(), static_cast<long long>(micros / 1000000),
                    static_cast<long long>(micros % 1000000));
    }
    std::fflush(stdout);
}

}  // namespace

std::string formatStatus(const Module& module, bool hungUp) {
    std::string text;
    text += "frames " + std::to_string(module.framesReceived()) + "\n";
    text += "configuring " + std::to_string(module.inConfiguration() ? 1 : 0) + "\n";
    text += "block " + std::to_string(module.openBlock()) + "\n";
    text += "learn-requests " + std::to_string(module.learnRequests()) + "\n";
    text += "hung-up " + std::to_string(hungUp ? 1 : 0) + "\n";
    if (const auto& setting = module.portSetting()) {
        text += "port-setting";
        for (const auto rate : setting->rates) {
            text += " " + std::to_string(rate);
        }
        text += " " + std::to_string(setting->binding) + "\n";
    }
    for (const auto& code : module.typedCodes()) {
        text += "typed " + compactHex(code) + "\n";
    }
    for (const auto& [row, data] : module.store()) {
        text += "row " + std::to_string(row) + " " + compactHex(data) + "\n";
    }
    return text;
}

int runSimulator(const Options& options) {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    UniqueFd signals(::signalfd(-1, &set, SFD_CLOEXEC));
    if (!signals.valid()) {
        std::perror("veltrano-module-sim: signalfd");
        return 1;
    }
    try {
        PtyLine line(options.linkPath);
        const TimePoint start = Clock::now();
        const auto wallStart = std::chrono::system_clock::now();
        Simulator simulator(options, line, signals.get(), start);
        if (!simulator.prepare()) {
            return 1;
        }
        announce(options, line, wallStart);
        simulator.run();
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "veltrano-module-sim: %s\n", error.what());
        return 1;
    }
}

}  // namespace veltrano::modulesim
