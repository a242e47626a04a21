#pragma once

#include <gtest/gtest.h>
#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "tools/posix/unique_fd.h"

namespace veltrano::modulesim::test {
using veltrano::posix::UniqueFd;

using Bytes = std::vector<std::uint8_t>;
using Millis = std::chrono::milliseconds;

// What the simulator's status file says.
struct Status {
    long frames = -1;
    bool configuring = false;
    bool hungUp = false;
    std::string portSetting;
    std::vector<std::string> typed;
    std::map<int, std::string> rows;
};

// One line of the simulator's frame log.
struct LogLine {
    long long millis = 0;
    std::string direction;
    std::string kind;
    std::string note;
    Bytes bytes;
};

// Runs veltrano-module-sim in a folder of its own and plays the program's
// side of the line. Every wait has a deadline; nothing sleeps a fixed time
// to let something happen.
class SimulatorFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the simulator with the fixture's link, log, status and store
    // paths and `extra` options, and opens the line. `store` is written to the
    // store file first when given.
    void start(const std::vector<std::string>& extra, const std::map<int, Bytes>* store = nullptr);
    // Only starts the simulator process with those options.
    void spawn(const std::vector<std::string>& extra);
    // SIGTERM, then the exit status (-1 if it did not end in time or was killed).
    int stop();
    // The exit status once the simulator ends by itself within `limit`.
    std::optional<int> waitForExit(Millis limit);

    // Writes all of `bytes` to the line at once.
    void send(const Bytes& bytes);
    // Writes a frame and waits until the simulator has taken it as one more
    // frame, so that the next one cannot run into it.
    void sendSettled(const Bytes& bytes);

    // Reads the line into `received` until `done(received)` or `limit` passes.
    bool receiveUntil(const std::function<bool(const Bytes&)>& done, Millis limit);
    // Reads until nothing has come for `quiet`, at most `limit`.
    void receiveUntilQuiet(Millis quiet, Millis limit);
    // True once the line reports a hang-up within `limit`.
    bool waitForHangUp(Millis limit);

    std::optional<Status> status() const;
    std::optional<Status> waitForStatus(const std::function<bool(const Status&)>& done, Millis limit) const;
    std::vector<LogLine> logLines() const;
    // The log once `done` holds for it: the simulator logs a write after
    // making it, so the bytes can reach the line before their log line.
    std::vector<LogLine> waitForLog(const std::function<bool(const std::vector<LogLine>&)>& done, Millis limit) const;

    std::string directory;
    std::string linkPath;
    std::string logPath;
    std::string statusPath;
    std::string storePath;
    Bytes received;
    long framesSent = 0;

private:
    pid_t child_ = -1;
    UniqueFd line_;
};

// The simulator's status file and frame log as they stand.
std::optional<Status> readStatus(const std::string& path);
std::vector<LogLine> readFrameLog(const std::string& path);

Bytes hexBytes(std::string_view text);
std::string compact(const Bytes& bytes);
bool endsWith(const Bytes& bytes, const Bytes& tail);

}  // namespace veltrano::modulesim::test
