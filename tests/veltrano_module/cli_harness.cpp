#include "tests/veltrano_module/cli_harness.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace veltrano::module::test {
namespace {

using Clock = std::chrono::steady_clock;

pid_t spawn(const std::string& program, const std::vector<std::string>& arguments, const std::string& outPath,
            const std::string& errPath) {
    std::vector<std::string> words{program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t child = -1;
    if (posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) child = -1;
    posix_spawn_file_actions_destroy(&actions);
    return child;
}

std::string contentOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void endChild(pid_t& child) {
    if (child <= 0) return;
    ::kill(child, SIGTERM);
    if (!waitForChild(child, Millis{5000})) {
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
    }
    child = -1;
}

}  // namespace

ScratchFolder::ScratchFolder() {
    std::string pattern = ::testing::TempDir() + "veltrano_module_XXXXXX";
    if (mkdtemp(pattern.data()) != nullptr) folder_ = pattern;
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
}

std::optional<int> waitForChild(pid_t child, Millis limit) {
    const auto deadline = Clock::now() + limit;
    while (true) {
        int status = 0;
        if (::waitpid(child, &status, WNOHANG) == child) {
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        if (Clock::now() > deadline) return std::nullopt;
        std::this_thread::sleep_for(Millis{2});
    }
}

SimulatedModule::SimulatedModule(const std::string& folder, const std::vector<std::string>& extra,
                                 const std::string& storeFile)
    : link_(folder + "/line"), statusPath_(folder + "/status"), logPath_(folder + "/frames.log") {
    std::filesystem::create_directories(folder);
    const std::string storePath = folder + "/store.txt";
    if (!storeFile.empty()) std::filesystem::copy_file(storeFile, storePath);
    std::vector<std::string> arguments{"--link",   link_,       "--log",   logPath_,
                                       "--status", statusPath_, "--store", storePath};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    child_ = spawn(VELTRANO_MODULE_SIM, arguments, folder + "/sim.out", folder + "/sim.err");
    const auto deadline = Clock::now() + Millis{5000};
    while (child_ > 0 && !running_ && Clock::now() < deadline) {
        running_ = status().has_value() && std::filesystem::exists(link_);
        if (!running_) std::this_thread::sleep_for(Millis{2});
    }
}

SimulatedModule::~SimulatedModule() {
    endChild(child_);
}

std::optional<Status> SimulatedModule::status() const {
    return modulesim::test::readStatus(statusPath_);
}

std::optional<Status> SimulatedModule::statusOnce(bool (*done)(const Status&), Millis limit) const {
    const auto deadline = Clock::now() + limit;
    auto now = status();
    while (!(now && done(*now)) && Clock::now() < deadline) {
        std::this_thread::sleep_for(Millis{2});
        now = status();
    }
    return now;
}

std::vector<LogLine> SimulatedModule::received() const {
    std::vector<LogLine> frames;
    for (LogLine& line : modulesim::test::readFrameLog(logPath_)) {
        if (line.direction == "rx" && line.kind != "fragment") frames.push_back(std::move(line));
    }
    return frames;
}

ToolProcess::ToolProcess(const std::string& folder, const std::vector<std::string>& arguments,
                         const std::string& program, const std::string& errorPath, const std::string& outputPath)
    : outPath_(outputPath.empty() ? folder + "/tool.out" : outputPath),
      errPath_(errorPath.empty() ? folder + "/tool.err" : errorPath),
      errorIsFile_(errorPath.empty()),
      outputIsFile_(outputPath.empty()) {
    child_ = spawn(program, arguments, outPath_, errPath_);
}

ToolProcess::~ToolProcess() {
    endChild(child_);
}

void ToolProcess::signal(int number) const {
    if (child_ > 0) ::kill(child_, number);
}

ToolRun ToolProcess::finish(Millis limit) {
    ToolRun run;
    if (child_ <= 0) return run;
    const auto status = waitForChild(child_, limit);
    if (status) {
        run.exitCode = *status;
        child_ = -1;
    } else {
        endChild(child_);
    }
    // A device given for either stream is read by its owner, not here.
    if (outputIsFile_) run.out = contentOf(outPath_);
    if (errorIsFile_) run.err = contentOf(errPath_);
    return run;
}

ToolRun runTool(const std::string& folder, const std::vector<std::string>& arguments, Millis limit) {
    ToolProcess tool(folder, arguments);
    return tool.finish(limit);
}

ToolRun runTableTool(const std::string& folder, const std::vector<std::string>& arguments) {
    ToolProcess tool(folder, arguments, VELTRANO_TABLE);
    return tool.finish(Millis{30000});
}

void writeText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

}  // namespace veltrano::module::test
