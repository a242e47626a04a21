#include "tests/module_sim/sim_harness.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "app/protocol/frames.h"
#include "tools/module_sim/text_files.h"

extern char** environ;

namespace veltrano::modulesim::test {
namespace {

using Clock = std::chrono::steady_clock;

bool isHexPair(const std::string& token) {
    return token.size() == 2 && std::isxdigit(static_cast<unsigned char>(token[0])) &&
           std::isxdigit(static_cast<unsigned char>(token[1]));
}

std::optional<Status> parseStatus(const std::string& text) {
    Status status;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string key;
        words >> key;
        if (key == "frames") {
            words >> status.frames;
        } else if (key == "configuring") {
            int value = 0;
            words >> value;
            status.configuring = value != 0;
        } else if (key == "hung-up") {
            int value = 0;
            words >> value;
            status.hungUp = value != 0;
        } else if (key == "port-setting") {
            std::getline(words, status.portSetting);
            if (!status.portSetting.empty() && status.portSetting[0] == ' ') {
                status.portSetting.erase(0, 1);
            }
        } else if (key == "typed") {
            std::string code;
            words >> code;
            status.typed.push_back(code);
        } else if (key == "row") {
            int row = 0;
            std::string data;
            words >> row >> data;
            status.rows[row] = data;
        }
    }
    if (status.frames < 0) {
        return std::nullopt;
    }
    return status;
}

}  // namespace

Bytes hexBytes(std::string_view text) {
    return protocol::frameBytes(text).value();
}

std::string compact(const Bytes& bytes) {
    return compactHex(bytes);
}

bool endsWith(const Bytes& bytes, const Bytes& tail) {
    return bytes.size() >= tail.size() &&
           std::equal(tail.begin(), tail.end(), bytes.end() - static_cast<std::ptrdiff_t>(tail.size()));
}

void SimulatorFixture::SetUp() {
    const std::string pattern = ::testing::TempDir() + "module_sim_XXXXXX";
    std::vector<char> folder(pattern.begin(), pattern.end());
    folder.push_back('\0');
    ASSERT_NE(mkdtemp(folder.data()), nullptr);
    directory = folder.data();
    linkPath = directory + "/line";
    logPath = directory + "/frames.log";
    statusPath = directory + "/status";
    storePath = directory + "/store.txt";
}

void SimulatorFixture::TearDown() {
    line_.reset();
    stop();
    std::error_code ignored;
    std::filesystem::remove_all(directory, ignored);
}

void SimulatorFixture::start(const std::vector<std::string>& extra, const std::map<int, Bytes>* store) {
    if (store) {
        ASSERT_TRUE(replaceFile(storePath, formatStore(*store)));
    }
    spawn(extra);
    ASSERT_TRUE(waitForStatus([](const Status&) { return true; }, Millis{5000})) << "the simulator did not start";
    line_.reset(::open(linkPath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK));
    ASSERT_TRUE(line_.valid()) << "cannot open " << linkPath;
    termios settings{};
    ASSERT_EQ(tcgetattr(line_.get(), &settings), 0);
    cfmakeraw(&settings);
    ASSERT_EQ(tcsetattr(line_.get(), TCSANOW, &settings), 0);
}

void SimulatorFixture::spawn(const std::vector<std::string>& extra) {
    // A status file left by an earlier run must not pass for this one's.
    std::remove(statusPath.c_str());
    std::vector<std::string> arguments{VELTRANO_MODULE_SIM, "--link",   linkPath,  "--log",  logPath,
                                       "--status",          statusPath, "--store", storePath};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    std::vector<char*> argv;
    for (auto& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    ASSERT_EQ(posix_spawn(&child_, VELTRANO_MODULE_SIM, nullptr, nullptr, argv.data(), environ), 0);
}

int SimulatorFixture::stop() {
    if (child_ <= 0) {
        return -1;
    }
    ::kill(child_, SIGTERM);
    const auto status = waitForExit(Millis{5000});
    if (!status) {
        ::kill(child_, SIGKILL);
        ::waitpid(child_, nullptr, 0);
        child_ = -1;
        return -1;
    }
    return *status;
}

std::optional<int> SimulatorFixture::waitForExit(Millis limit) {
    if (child_ <= 0) {
        return std::nullopt;
    }
    const auto deadline = Clock::now() + limit;
    while (true) {
        int status = 0;
        const pid_t done = ::waitpid(child_, &status, WNOHANG);
        if (done == child_) {
            child_ = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        if (Clock::now() > deadline) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(Millis{2});
    }
}

void SimulatorFixture::send(const Bytes& bytes) {
    std::size_t offset = 0;
    const auto deadline = Clock::now() + Millis{2000};
    while (offset < bytes.size() && Clock::now() < deadline) {
        const ssize_t written = ::write(line_.get(), bytes.data() + offset, bytes.size() - offset);
        if (written > 0) {
            offset += static_cast<std::size_t>(written);
        } else if (written < 0 && errno != EAGAIN && errno != EINTR) {
            break;
        }
    }
    ASSERT_EQ(offset, bytes.size()) << "the line took only part of a frame";
}

void SimulatorFixture::sendSettled(const Bytes& bytes) {
    send(bytes);
    const long expected = ++framesSent;
    ASSERT_TRUE(waitForStatus([expected](const Status& s) { return s.frames >= expected; }, Millis{5000}))
        << "frame " << expected << " was not taken: " << compact(bytes);
    const auto now = status();
    ASSERT_TRUE(now);
    ASSERT_EQ(now->frames, expected) << "frame " << compact(bytes) << " was cut into several";
}

bool SimulatorFixture::receiveUntil(const std::function<bool(const Bytes&)>& done, Millis limit) {
    const auto deadline = Clock::now() + limit;
    while (!done(received)) {
        const auto left = std::chrono::duration_cast<Millis>(deadline - Clock::now()).count();
        if (left <= 0) {
            return false;
        }
        pollfd fd{line_.get(), POLLIN, 0};
        if (::poll(&fd, 1, static_cast<int>(std::min<long long>(left, 50))) > 0 && (fd.revents & POLLIN)) {
            std::uint8_t buffer[512];
            const ssize_t got = ::read(line_.get(), buffer, sizeof buffer);
            if (got > 0) {
                received.insert(received.end(), buffer, buffer + got);
            }
        }
    }
    return true;
}

void SimulatorFixture::receiveUntilQuiet(Millis quiet, Millis limit) {
    const auto deadline = Clock::now() + limit;
    auto lastByte = Clock::now();
    while (Clock::now() < deadline && Clock::now() - lastByte < quiet) {
        pollfd fd{line_.get(), POLLIN, 0};
        if (::poll(&fd, 1, 10) > 0 && (fd.revents & POLLIN)) {
            std::uint8_t buffer[512];
            const ssize_t got = ::read(line_.get(), buffer, sizeof buffer);
            if (got > 0) {
                received.insert(received.end(), buffer, buffer + got);
                lastByte = Clock::now();
            }
        }
    }
}

bool SimulatorFixture::waitForHangUp(Millis limit) {
    const auto deadline = Clock::now() + limit;
    while (Clock::now() < deadline) {
        pollfd fd{line_.get(), POLLIN, 0};
        if (::poll(&fd, 1, 20) > 0) {
            if (fd.revents & (POLLHUP | POLLERR)) {
                return true;
            }
            std::uint8_t buffer[512];
            const ssize_t got = ::read(line_.get(), buffer, sizeof buffer);
            if (got == 0 || (got < 0 && errno == EIO)) {
                return true;
            }
        }
    }
    return false;
}

std::optional<Status> readStatus(const std::string& path) {
    const auto text = readFile(path);
    if (!text) {
        return std::nullopt;
    }
    return parseStatus(*text);
}

std::optional<Status> SimulatorFixture::status() const {
    return readStatus(statusPath);
}

std::optional<Status> SimulatorFixture::waitForStatus(const std::function<bool(const Status&)>& done,
                                                      Millis limit) const {
    const auto deadline = Clock::now() + limit;
    while (true) {
        if (auto now = status(); now && done(*now)) {
            return now;
        }
        if (Clock::now() > deadline) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(Millis{1});
    }
}

std::vector<LogLine> readFrameLog(const std::string& path) {
    std::vector<LogLine> lines;
    std::ifstream in(path);
    std::string text;
    while (std::getline(in, text)) {
        std::istringstream words(text);
        std::string time;
        LogLine line;
        words >> time >> line.direction >> line.kind;
        const auto dot = time.find('.');
        if (dot == std::string::npos) {
            continue;
        }
        line.millis = std::stoll(time.substr(0, dot)) * 1000 + std::stoll(time.substr(dot + 1));
        std::string token;
        while (words >> token) {
            if (isHexPair(token)) {
                line.bytes.push_back(static_cast<std::uint8_t>(std::stoi(token, nullptr, 16)));
            } else {
                line.note = token;
            }
        }
        lines.push_back(line);
    }
    return lines;
}

std::vector<LogLine> SimulatorFixture::logLines() const {
    return readFrameLog(logPath);
}

std::vector<LogLine> SimulatorFixture::waitForLog(const std::function<bool(const std::vector<LogLine>&)>& done,
                                                  Millis limit) const {
    const auto deadline = Clock::now() + limit;
    auto lines = logLines();
    while (!done(lines) && Clock::now() < deadline) {
        std::this_thread::sleep_for(Millis{2});
        lines = logLines();
    }
    return lines;
}

}  // namespace veltrano::modulesim::test
