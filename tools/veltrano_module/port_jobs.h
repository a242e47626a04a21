#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace veltrano::module {

// What serving one port came to.
struct PortReport {
    int exitCode = 0;
    // For standard output: one line of text, or one JSON value.
    std::string text;
    std::string json;
    // For standard error: what went wrong, one line each.
    std::string problems;
};

// Serves every port at once, each on a thread of its own (one port on the
// caller's), then prints the reports in the order of the ports, so parallel
// work never interleaves its output: the text lines, or with `json` one
// value (an array when there are several ports). Returns the gravest exit
// code, the higher number being the graver.
int servePorts(const std::vector<std::string>& ports, const std::function<PortReport(std::size_t index)>& serve,
               bool json, std::ostream& out, std::ostream& err);

}  // namespace veltrano::module
