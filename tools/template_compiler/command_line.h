#pragma once

#include <map>
#include <string>
#include <variant>
#include <vector>

namespace veltrano::tc {

// What veltrano-tc was asked to do, read from its arguments.
struct HelpRequest {};

struct CompileRequest {
    std::string definition;
    std::string header;
    std::string source;
    std::string nameSpace;
    std::string headerInclude;
    std::string segment;  // empty: no raw segment is written
};

struct DumpRequest {
    std::string segment;
    std::string output;  // empty: standard output
};

// One line naming the argument at fault.
struct UsageError {
    std::string message;
};

using CommandLine = std::variant<HelpRequest, CompileRequest, DumpRequest, UsageError>;

CommandLine parseCommandLine(const std::vector<std::string>& words);

// The text --help prints.
extern const char* const kHelpText;

}  // namespace veltrano::tc
