#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "tests/module_sim/sim_harness.h"

namespace veltrano::module::test {

using modulesim::test::LogLine;
using modulesim::test::Status;
using Millis = std::chrono::milliseconds;

// A folder of its own under the test's temporary folder, removed at the end.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string path(const std::string& name) const { return folder_ + "/" + name; }

private:
    std::string folder_;
};

// veltrano-module-sim on a pseudo-terminal of its own, linked at `link`,
// with its status, frame log and store beside it; stopped when destroyed.
class SimulatedModule {
public:
    // `storeFile`, when given, is what the module holds at start.
    SimulatedModule(const std::string& folder, const std::vector<std::string>& extra,
                    const std::string& storeFile = {});
    ~SimulatedModule();
    SimulatedModule(const SimulatedModule&) = delete;
    SimulatedModule& operator=(const SimulatedModule&) = delete;

    // Whether it came up and published its link in time.
    bool running() const { return running_; }
    const std::string& link() const { return link_; }
    std::optional<Status> status() const;
    // The frames it received, fragments left out.
    std::vector<LogLine> received() const;
    // The status once `done` holds, or the last one seen after `limit`.
    std::optional<Status> statusOnce(bool (*done)(const Status&), Millis limit) const;

private:
    std::string link_;
    std::string statusPath_;
    std::string logPath_;
    pid_t child_ = -1;
    bool running_ = false;
};

// What a run of veltrano-module came to.
struct ToolRun {
    int exitCode = -1;  // -1: killed or still running at the deadline
    std::string out;
    std::string err;
};

// A program started with arguments (veltrano-module unless named); its
// output goes to files in `folder`. Killed when destroyed if still running.
class ToolProcess {
public:
    // `errorPath` and `outputPath`, when given, take standard error and
    // output instead of files in `folder` (a terminal, a full device).
    ToolProcess(const std::string& folder, const std::vector<std::string>& arguments,
                const std::string& program = VELTRANO_MODULE, const std::string& errorPath = {},
                const std::string& outputPath = {});
    ~ToolProcess();
    ToolProcess(const ToolProcess&) = delete;
    ToolProcess& operator=(const ToolProcess&) = delete;

    void signal(int number) const;
    // Waits for the end, at most `limit`, and collects the output.
    ToolRun finish(Millis limit);

private:
    std::string outPath_;
    std::string errPath_;
    bool errorIsFile_ = true;
    bool outputIsFile_ = true;
    pid_t child_ = -1;
};

ToolRun runTool(const std::string& folder, const std::vector<std::string>& arguments, Millis limit = Millis{60000});
ToolRun runTableTool(const std::string& folder, const std::vector<std::string>& arguments);

// The exit status of a child once it ends within `limit`.
std::optional<int> waitForChild(pid_t child, Millis limit);

// Writes text to a file, replacing it.
void writeText(const std::string& path, const std::string& text);

}  // namespace veltrano::module::test
