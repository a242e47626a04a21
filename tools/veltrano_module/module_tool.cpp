#include "tools/veltrano_module/module_tool.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <memory>
#include <sstream>

#include "app/configurator/configurator_texts.h"
#include "app/hex/hex_codec.h"
#include "app/protocol/frames.h"
#include "app/protocol/key_table.h"
#include "tools/veltrano_module/command_line.h"
#include "tools/veltrano_module/exit_codes.h"
#include "tools/veltrano_module/key_table_files.h"
#include "tools/veltrano_module/module_session.h"
#include "tools/veltrano_module/port_jobs.h"
#include "tools/veltrano_module/progress_board.h"
#include "tools/veltrano_table/code_rule.h"
#include "tools/veltrano_table/gbk_text.h"
#include "tools/veltrano_table/json_text.h"
#include "tools/veltrano_table/key_table_exchange.h"
#include "tools/veltrano_table/message_text.h"

namespace veltrano::module {
namespace {

using tools::jsonString;

constexpr const char* kProgram = "veltrano-module: ";

class SilentSink final : public hex::MessageSink {
public:
    void showMessage(const std::string&, const std::string&) override {}
};

struct Context {
    const Options& options;
    std::ostream& out;
    std::ostream& err;
    ToolServices& services;
};

std::string utf8Of(const std::string& gbk) {
    return tools::gbkToUtf8(gbk).value_or("?");
}

std::string hex4(int value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(value) & 0xFFFFu);
    return text;
}

// How each ending is reported: exit code, what standard error says, and the
// result word of the JSON.
struct EndingWords {
    Ending ending;
    int exitCode;
    const char* problem;
    const char* result;
};

constexpr EndingWords kEndings[] = {
    {Ending::Done, kExitDone, "", "done"},
    {Ending::LineLost, kExitPort, "the line was lost", "lost"},
    {Ending::NoAnswer, kExitNoAnswer, "the module did not answer in time", "no-answer"},
    {Ending::Interrupted, kExitInterrupted, "stopped", "interrupted"},
};

// A report for a port whose sequence ended; `what` says what was done.
PortReport ended(const std::string& port, Ending ending, const std::string& what, const std::string& detail = {}) {
    const EndingWords& words = *std::find_if(std::begin(kEndings), std::end(kEndings),
                                             [&](const EndingWords& known) { return known.ending == ending; });
    PortReport report;
    report.exitCode = words.exitCode;
    if (ending == Ending::Done) {
        report.text = port + ": " + what + "\n";
    } else {
        report.problems = kProgram + port + ": " + words.problem + detail + "\n";
    }
    report.json = "{\"port\": " + jsonString(port) + ", \"result\": " + jsonString(words.result) + "}";
    return report;
}

// Opens the port or says why not; `report` then holds the failure.
std::unique_ptr<ModuleLine> openLine(Context& context, const std::string& port, int rate, PortReport& report) {
    std::string reason;
    auto line = context.services.lines.open(port, rate, reason);
    if (!line) {
        report.exitCode = kExitPort;
        report.problems = kProgram + port + ": cannot open: " + reason + "\n";
        report.json =
            "{\"port\": " + jsonString(port) + ", \"result\": \"cannot-open\", \"reason\": " + jsonString(reason) + "}";
    }
    return line;
}

// Serves each port with a session of its own on the open line.
using Sequence = std::function<PortReport(std::size_t index, ModuleSession& session)>;

int eachPortSession(Context& context, bool json, const Sequence& sequence) {
    const Options& options = context.options;
    return servePorts(
        options.ports,
        [&](std::size_t index) {
            PortReport report;
            auto line = openLine(context, options.ports[index], options.rate, report);
            if (!line) return report;
            ModuleSession session(*line, context.services.answerWithin, &context.services.stop);
            return sequence(index, session);
        },
        json, context.out, context.err);
}

std::string rowName(const grid::GridModel& table, int row) {
    return "row " + std::to_string(row) + " (" + utf8Of(tools::deviceOfRow(table, row)) + " " +
           utf8Of(tools::cellText(table, row, tools::kKeyColumn)) + ")";
}

std::string rowsJson(const grid::GridModel& table) {
    std::string json = "[";
    bool first = true;
    for (int row = protocol::kFirstKeyRow; row <= protocol::kLastKeyRow; ++row) {
        const std::string code = protocol::removeAllSpaces(tools::cellText(table, row, tools::kCodeColumn));
        if (code.empty()) continue;
        json += std::string(first ? "" : ",") + "\n    {\"row\": " + std::to_string(row) +
                ", \"device\": " + jsonString(utf8Of(tools::deviceOfRow(table, row))) +
                ", \"key\": " + jsonString(utf8Of(tools::cellText(table, row, tools::kKeyColumn))) +
                ", \"code\": " + jsonString(utf8Of(code)) + "}";
        first = false;
    }
    return json + (first ? "]" : "\n  ]");
}

// With several ports each read gets a file of its own: the port's name goes
// in before the extension.
std::string outputFor(const std::string& path, const std::string& port, bool several) {
    if (!several) return path;
    std::string name = port.substr(port.find_last_of("/\\") + 1);
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    }
    const auto dot = path.find_last_of('.');
    const auto slash = path.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return path + "-" + name;
    return path.substr(0, dot) + "-" + name + path.substr(dot);
}

int listPorts(Context& context) {
    std::string reason;
    const auto ports = context.services.ports.list(reason);
    if (!ports) {
        context.err << kProgram << "cannot list the serial ports: " << reason << "\n";
        return kExitPort;
    }
    if (context.options.json) context.out << "[";
    bool first = true;
    for (const PortInfo& port : *ports) {
        if (context.options.json) {
            context.out << (first ? "\n" : ",\n") << "  {\"port\": " << jsonString(port.name)
                        << ", \"description\": " << jsonString(port.description);
            if (port.usbVendor) context.out << ", \"usbVendor\": " << jsonString(hex4(*port.usbVendor));
            if (port.usbProduct) context.out << ", \"usbProduct\": " << jsonString(hex4(*port.usbProduct));
            context.out << ", \"serialNumber\": " << jsonString(port.serialNumber) << "}";
        } else {
            context.out << port.name;
            if (!port.description.empty()) context.out << "  " << port.description;
            if (port.usbVendor && port.usbProduct) {
                context.out << "  USB " << hex4(*port.usbVendor) << ":" << hex4(*port.usbProduct);
            }
            if (!port.serialNumber.empty()) context.out << "  serial " << port.serialNumber;
            context.out << "\n";
        }
        first = false;
    }
    if (context.options.json) context.out << (first ? "]\n" : "\n]\n");
    context.out.flush();
    return kExitDone;
}

std::vector<int> findRates(const Options& options) {
    if (!options.allRates) return {options.rate};
    std::vector<int> rates;
    for (const std::string_view text : configurator::text::kBaudRates) {
        int rate = 0;
        std::from_chars(text.data(), text.data() + text.size(), rate);
        rates.push_back(rate);
    }
    return rates;
}

int find(Context& context) {
    std::vector<std::string> ports = context.options.ports;
    if (ports.empty()) {
        std::string reason;
        const auto listed = context.services.ports.list(reason);
        if (!listed) {
            context.err << kProgram << "cannot list the serial ports: " << reason << "\n";
            return kExitPort;
        }
        for (const PortInfo& port : *listed) ports.push_back(port.name);
    }
    if (ports.empty()) {
        context.err << kProgram << "no serial ports to try\n";
        return kExitPort;
    }
    const std::vector<int> rates = findRates(context.options);
    std::atomic<int> found = 0;
    const int worst = servePorts(
        ports,
        [&](std::size_t index) {
            const std::string& port = ports[index];
            PortReport report;
            for (const int rate : rates) {
                auto line = openLine(context, port, rate, report);
                if (!line) return report;
                ModuleSession session(*line, context.services.answerWithin, &context.services.stop);
                bool answered = false;
                if (const Ending ending = session.probe(answered); ending != Ending::Done) {
                    return ended(port, ending, {});
                }
                if (answered) {
                    ++found;
                    report.text = port + ": module at " + std::to_string(rate) + "\n";
                    report.json = "{\"port\": " + jsonString(port) +
                                  ", \"module\": true, \"rate\": " + std::to_string(rate) + "}";
                    return report;
                }
            }
            report.text = port + ": no module answered\n";
            report.json = "{\"port\": " + jsonString(port) + ", \"module\": false}";
            return report;
        },
        context.options.json, context.out, context.err);
    // A port that cannot be opened is only one candidate among several.
    if (found > 0) return worst == kExitInterrupted ? worst : kExitDone;
    return std::max(worst, kExitNoAnswer);
}

int read(Context& context) {
    const Options& options = context.options;
    const bool toStandardOutput = options.outputPath.empty() || options.outputPath == "-";
    const bool several = options.ports.size() > 1;
    ProgressBoard board(context.err, context.services.progressOnTerminal && !toStandardOutput, options.ports);
    return eachPortSession(context, options.json || toStandardOutput, [&](std::size_t index, ModuleSession& session) {
        const std::string& port = options.ports[index];
        PortReport report;
        const ReadOutcome outcome =
            session.read([&](int row, int total) { board.update(index, row, total, "reading"); });
        if (outcome.ending != Ending::Done) return ended(port, outcome.ending, {});
        std::ostringstream problems;
        KeyTableFiles files(context.services.files, problems);
        const grid::GridModel table = files.tableWithCodes(outcome.rows);
        const std::string rowCount = std::to_string(outcome.rows.size());
        if (toStandardOutput) {
            report.json = "{\"port\": " + jsonString(port) + ", \"rows\": " + rowsJson(table) + "}";
            return report;
        }
        const std::string path = outputFor(options.outputPath, port, several);
        if (!files.save(table, path)) {
            report.exitCode = kExitUsage;
            report.problems = problems.str();
            report.json = "{\"port\": " + jsonString(port) + ", \"result\": \"cannot-save\"}";
            return report;
        }
        report.text = port + ": " + rowCount + " rows read into " + path + "\n";
        report.json = "{\"port\": " + jsonString(port) + ", \"result\": \"done\", \"rows\": " + rowCount +
                      ", \"file\": " + jsonString(path) + "}";
        return report;
    });
}

// The rows a verifying read found different, as lines and as JSON.
PortReport differencesReport(const std::string& port, const grid::GridModel& written, const grid::GridModel& read,
                             int rowsWritten) {
    PortReport report;
    const auto differences = tools::differingCodes(written, read);
    std::string json = "[";
    for (const auto& difference : differences) {
        const std::string wrote = utf8Of(protocol::removeAllSpaces(difference.first));
        const std::string got = utf8Of(protocol::removeAllSpaces(difference.second));
        report.text += port + ": " + rowName(written, difference.row) + ": wrote " +
                       (wrote.empty() ? "nothing" : wrote) + ", read back " + (got.empty() ? "nothing" : got) + "\n";
        json += std::string(json.size() > 1 ? ", " : "") + "{\"row\": " + std::to_string(difference.row) +
                ", \"wrote\": " + jsonString(wrote) + ", \"read\": " + jsonString(got) + "}";
    }
    if (differences.empty()) {
        report.text = port + ": " + std::to_string(rowsWritten) + " rows written and verified\n";
    } else {
        report.exitCode = kExitDifferences;
        const std::size_t count = differences.size();
        report.problems =
            kProgram + port + ": " + tools::counted(count, "row differs", "rows differ") + " after writing\n";
    }
    report.json = "{\"port\": " + jsonString(port) + ", \"result\": \"" +
                  (differences.empty() ? "verified" : "differences") +
                  "\", \"rowsWritten\": " + std::to_string(rowsWritten) + ", \"differences\": " + json + "]}";
    return report;
}

int write(Context& context) {
    const Options& options = context.options;
    KeyTableFiles files(context.services.files, context.err);
    int loadCode = kExitUsage;
    const auto table = files.loadForWrite(options.tablePath, loadCode);
    if (!table) {
        context.err << kProgram << "nothing was sent\n";
        return kExitUsage;
    }
    if (const auto bad = firstBadCode(*table)) {
        context.err << kProgram << options.tablePath << ": row " << bad->row << " (" << bad->device << " " << bad->key
                    << "): " << bad->reason << "; nothing was sent\n";
        return kExitUsage;
    }
    const std::vector<std::string> texts = codeTexts(*table);
    int rowsWritten = 0;
    for (const std::string& text : texts) {
        if (!protocol::removeAllSpaces(text).empty()) ++rowsWritten;
    }
    ProgressBoard board(context.err, context.services.progressOnTerminal, options.ports);
    return eachPortSession(context, options.json, [&](std::size_t index, ModuleSession& session) {
        const std::string& port = options.ports[index];
        const WriteOutcome outcome =
            session.write(texts, [&](int done, int total) { board.update(index, done, total, "writing"); });
        if (outcome.ending != Ending::Done) {
            const std::string last = outcome.lastRowWritten > 0
                                         ? "; the last row written was " + rowName(*table, outcome.lastRowWritten)
                                         : "; no row was written";
            const std::string detail = outcome.ending == Ending::Interrupted
                                           ? last + "; the module was taken out of configuration mode"
                                           : last;
            return ended(port, outcome.ending, {}, detail);
        }
        if (!options.verify) {
            PortReport done = ended(port, Ending::Done, std::to_string(rowsWritten) + " rows written");
            done.json = "{\"port\": " + jsonString(port) +
                        ", \"result\": \"done\", \"rowsWritten\": " + std::to_string(rowsWritten) + "}";
            return done;
        }
        const ReadOutcome readBack =
            session.read([&](int row, int total) { board.update(index, row, total, "verifying"); });
        if (readBack.ending != Ending::Done) return ended(port, readBack.ending, {}, " while verifying");
        std::ostringstream ignored;
        KeyTableFiles scratch(context.services.files, ignored);
        return differencesReport(port, *table, scratch.tableWithCodes(readBack.rows), rowsWritten);
    });
}

// The commands that serve one port with one sequence.
int single(Context& context, const std::function<PortReport(const std::string&, ModuleSession&)>& sequence) {
    return eachPortSession(context, context.options.json, [&](std::size_t index, ModuleSession& session) {
        return sequence(context.options.ports[index], session);
    });
}

int sendCode(Context& context) {
    const std::string code = protocol::removeAllSpaces(context.options.code);
    if (code.empty()) {
        context.err << kProgram << "send needs a code\n";
        return kExitUsage;
    }
    if (const auto problem = tools::codeProblem(code)) {
        context.err << kProgram << "send: " << *problem << "\n";
        return kExitUsage;
    }
    SilentSink sink;
    const std::vector<std::uint8_t> bytes = hex::HexToBytes(code, sink);
    return single(context, [&](const std::string& port, ModuleSession& session) {
        return ended(port, session.sendCode(bytes), "sent " + std::to_string(bytes.size()) + " bytes");
    });
}

constexpr const char* kDeviceNames[] = {"sequencer", "projector", "player", "amplifier"};

int run(Context& context) {
    const Options& options = context.options;
    switch (options.command) {
        case Command::Ports: return listPorts(context);
        case Command::Find: return find(context);
        case Command::Read: return read(context);
        case Command::Write: return write(context);
        case Command::Send: return sendCode(context);
        case Command::Clear:
            return single(context, [](const std::string& port, ModuleSession& session) {
                return ended(port, session.clear(), "cleared");
            });
        case Command::SetBaud:
            return single(context, [&](const std::string& port, ModuleSession& session) {
                const protocol::PortRates& r = options.rates;
                return ended(port, session.setPortRates(r, options.binding),
                             "port rates " + std::to_string(r.sequencer) + " " + std::to_string(r.projector) + " " +
                                 std::to_string(r.player) + " " + std::to_string(r.amplifier) +
                                 ", extension area bound to " + kDeviceNames[options.binding - 1]);
            });
        case Command::Learn:
            return single(context, [&](const std::string& port, ModuleSession& session) {
                const LearnOutcome outcome = session.learn(Millis{options.learnSeconds * 1000});
                PortReport report = ended(port, outcome.ending, outcome.code, " with a learned code");
                if (outcome.ending == Ending::Done) {
                    report.text = outcome.code + "\n";
                    report.json = "{\"port\": " + jsonString(port) +
                                  ", \"result\": \"done\", \"code\": " + jsonString(outcome.code) + "}";
                }
                return report;
            });
    }
    return kExitUsage;
}

}  // namespace

int runModuleTool(std::span<const std::string> arguments, std::ostream& out, std::ostream& err,
                  ToolServices& services) {
    std::string error;
    const auto options = parseCommandLine(arguments, error);
    if (!options) {
        err << kProgram << error << "; see veltrano-module --help\n";
        return kExitUsage;
    }
    if (options->help) {
        out << usageText();
        return kExitDone;
    }
    Context context{*options, out, err, services};
    return run(context);
}

}  // namespace veltrano::module
