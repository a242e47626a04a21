#include "tools/veltrano_module/port_jobs.h"

#include <algorithm>
#include <thread>

namespace veltrano::module {

int servePorts(const std::vector<std::string>& ports, const std::function<PortReport(std::size_t index)>& serve,
               bool json, std::ostream& out, std::ostream& err) {
    std::vector<PortReport> reports(ports.size());
    if (ports.size() == 1) {
        reports[0] = serve(0);
    } else {
        std::vector<std::jthread> workers;
        workers.reserve(ports.size());
        for (std::size_t index = 0; index < ports.size(); ++index) {
            workers.emplace_back([&reports, &serve, index] { reports[index] = serve(index); });
        }
    }
    int exitCode = 0;
    if (json && ports.size() > 1) out << "[\n";
    for (std::size_t index = 0; index < reports.size(); ++index) {
        const PortReport& report = reports[index];
        exitCode = std::max(exitCode, report.exitCode);
        err << report.problems;
        if (json) {
            out << (ports.size() > 1 ? "  " : "") << report.json << (index + 1 < reports.size() ? ",\n" : "\n");
        } else {
            out << report.text;
        }
    }
    if (json && ports.size() > 1) out << "]\n";
    out.flush();
    return exitCode;
}

}  // namespace veltrano::module
