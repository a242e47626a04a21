#include "tools/template_compiler/command_line.h"

#include <optional>
#include <utility>

namespace veltrano::tc {
namespace {

struct OptionRule {
    const char* name;
    bool required;
};

constexpr OptionRule kCompileOptions[] = {
    {"--header", true}, {"--source", true}, {"--namespace", true}, {"--header-include", true}, {"--segment", false},
};
constexpr OptionRule kDumpOptions[] = {{"--output", false}};

bool isHelp(const std::string& word) {
    return word == "--help" || word == "-h";
}

// "--name value" pairs after the positional arguments, each known to the
// command and given once.
template <std::size_t Count>
std::variant<std::map<std::string, std::string>, UsageError> readOptions(const std::vector<std::string>& words,
                                                                         std::size_t first,
                                                                         const OptionRule (&rules)[Count],
                                                                         const std::string& command) {
    std::map<std::string, std::string> found;
    for (std::size_t i = first; i < words.size(); i += 2) {
        const std::string& name = words[i];
        bool known = false;
        for (const OptionRule& rule : rules) known = known || name == rule.name;
        if (!known) {
            return UsageError{name.rfind("--", 0) == 0
                                  ? command + " takes no option " + name
                                  : "unexpected argument '" + name + "' after the " + command + " command's file"};
        }
        if (i + 1 >= words.size() || isHelp(words[i + 1]) || words[i + 1].empty()) {
            return UsageError{name + " needs a value"};
        }
        if (!found.emplace(name, words[i + 1]).second) return UsageError{name + " is given twice"};
    }
    for (const OptionRule& rule : rules) {
        if (rule.required && found.count(rule.name) == 0) {
            return UsageError{command + " needs " + rule.name};
        }
    }
    return found;
}

std::string valueOr(const std::map<std::string, std::string>& options, const char* name) {
    const auto at = options.find(name);
    return at == options.end() ? std::string() : at->second;
}

}  // namespace

const char* const kHelpText =
    "usage: veltrano-tc compile DEFINITION --header OUT.h --source OUT.cpp --namespace NS\n"
    "                   --header-include PATH [--segment OUT.segment]\n"
    "       veltrano-tc --dump SEGMENT [--output FILE]\n"
    "       veltrano-tc --help\n"
    "\n"
    "compile   reads a window definition (.vtd) and writes the C++ header and\n"
    "          source that carry its compiled window template\n"
    "  --header OUT.h          the header to write\n"
    "  --source OUT.cpp        the source to write\n"
    "  --namespace NS          the C++ namespace of what they declare\n"
    "  --header-include PATH   how the source includes the header\n"
    "  --segment OUT.segment   also write the raw template segment\n"
    "--dump    prints a compiled template segment readably\n"
    "  --output FILE           write the dump to FILE instead of standard output\n"
    "--help    prints this text\n"
    "\n"
    "Exit status: 0 done, 1 a file could not be read, written or compiled,\n"
    "2 the arguments were wrong.\n";

CommandLine parseCommandLine(const std::vector<std::string>& words) {
    if (words.empty()) return UsageError{"no command given"};
    for (const std::string& word : words) {
        if (isHelp(word)) return HelpRequest{};
    }
    const std::string& command = words[0];
    if (command != "compile" && command != "--dump") return UsageError{"unknown command '" + command + "'"};
    if (words.size() < 2 || words[1].rfind("--", 0) == 0) {
        return UsageError{command == "compile" ? "compile needs a DEFINITION file" : "--dump needs a SEGMENT file"};
    }
    if (command == "compile") {
        auto options = readOptions(words, 2, kCompileOptions, command);
        if (auto* error = std::get_if<UsageError>(&options)) return std::move(*error);
        const auto& found = std::get<0>(options);
        return CompileRequest{words[1],
                              found.at("--header"),
                              found.at("--source"),
                              found.at("--namespace"),
                              found.at("--header-include"),
                              valueOr(found, "--segment")};
    }
    auto options = readOptions(words, 2, kDumpOptions, command);
    if (auto* error = std::get_if<UsageError>(&options)) return std::move(*error);
    return DumpRequest{words[1], valueOr(std::get<0>(options), "--output")};
}

}  // namespace veltrano::tc
