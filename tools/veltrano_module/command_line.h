#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "app/protocol/frames.h"

namespace veltrano::module {

inline constexpr int kDefaultRate = 115200;
inline constexpr int kDefaultLearnSeconds = 30;

enum class Command { Ports, Find, Read, Write, Clear, Send, Learn, SetBaud };

struct Options {
    Command command = Command::Ports;
    std::vector<std::string> ports;
    int rate = kDefaultRate;
    bool json = false;
    bool help = false;
    // write
    std::string tablePath;
    bool verify = false;
    // read: empty or "-" for JSON on standard output
    std::string outputPath;
    // find
    bool allRates = false;
    // send
    std::string code;
    // learn
    int learnSeconds = kDefaultLearnSeconds;
    // set-baud
    protocol::PortRates rates;
    int binding = 0;
};

// The options of a command line (without the program name); nothing, with
// `error` set to one line naming the mistake, when they do not fit.
std::optional<Options> parseCommandLine(std::span<const std::string> arguments, std::string& error);

// --help: every command, an example and the exit codes.
const char* usageText();

}  // namespace veltrano::module
