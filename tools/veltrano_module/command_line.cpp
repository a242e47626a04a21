#include "tools/veltrano_module/command_line.h"

#include <algorithm>
#include <charconv>
#include <string_view>

#include "app/protocol/key_table.h"

namespace veltrano::module {
namespace {

// The port-setting frame carries each rate in three bytes.
constexpr long long kLargestFrameRate = 0xFFFFFF;

struct CommandName {
    std::string_view name;
    Command command;
    std::size_t operands;
};

constexpr CommandName kCommands[] = {
    {"ports", Command::Ports, 0}, {"find", Command::Find, 0},        {"read", Command::Read, 0},
    {"write", Command::Write, 1}, {"clear", Command::Clear, 0},      {"send", Command::Send, 1},
    {"learn", Command::Learn, 0}, {"set-baud", Command::SetBaud, 4},
};

// The extension area binds to one of the four devices, in frame order.
constexpr std::string_view kDevices[] = {"sequencer", "projector", "player", "amplifier"};

std::optional<long long> number(std::string_view text, long long low, long long high) {
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high) return std::nullopt;
    return value;
}

std::optional<int> bindingOf(std::string_view text) {
    for (std::size_t index = 0; index < std::size(kDevices); ++index) {
        if (text == kDevices[index]) return static_cast<int>(index) + 1;
    }
    const auto value = number(text, 1, static_cast<long long>(std::size(kDevices)));
    return value ? std::optional<int>(static_cast<int>(*value)) : std::nullopt;
}

bool takeOperands(Options& options, const std::vector<std::string>& operands, std::string& error) {
    switch (options.command) {
        case Command::Write: options.tablePath = operands[0]; break;
        case Command::Send: options.code = operands[0]; break;
        case Command::SetBaud: {
            std::int32_t* const targets[] = {&options.rates.sequencer, &options.rates.projector, &options.rates.player,
                                             &options.rates.amplifier};
            for (std::size_t index = 0; index < operands.size(); ++index) {
                const auto rate = number(operands[index], 1, kLargestFrameRate);
                if (!rate) {
                    error = "set-baud: " + operands[index] + " is not a rate from 1 to " +
                            std::to_string(kLargestFrameRate) + ", the largest the port-setting frame carries";
                    return false;
                }
                *targets[index] = static_cast<std::int32_t>(*rate);
            }
            if (options.binding == 0) {
                error = "set-baud needs --bind sequencer|projector|player|amplifier";
                return false;
            }
            break;
        }
        default: break;
    }
    return true;
}

}  // namespace

std::optional<Options> parseCommandLine(std::span<const std::string> arguments, std::string& error) {
    Options options;
    if (std::find(arguments.begin(), arguments.end(), "--help") != arguments.end() ||
        std::find(arguments.begin(), arguments.end(), "-h") != arguments.end()) {
        options.help = true;
        return options;
    }
    if (arguments.empty()) {
        error = "a command is needed";
        return std::nullopt;
    }
    const auto known = std::find_if(std::begin(kCommands), std::end(kCommands),
                                    [&](const CommandName& command) { return command.name == arguments[0]; });
    if (known == std::end(kCommands)) {
        error = "unknown command \"" + arguments[0] + "\"";
        return std::nullopt;
    }
    options.command = known->command;
    std::vector<std::string> operands;
    for (std::size_t index = 1; index < arguments.size(); ++index) {
        const std::string& word = arguments[index];
        const auto value = [&]() -> std::optional<std::string> {
            if (index + 1 >= arguments.size()) {
                error = word + " needs a value";
                return std::nullopt;
            }
            return arguments[++index];
        };
        if (word == "--port") {
            const auto port = value();
            if (!port) return std::nullopt;
            options.ports.push_back(*port);
        } else if (word == "--baud") {
            const auto text = value();
            const auto rate = text ? number(*text, 1, 4000000) : std::nullopt;
            if (!rate) {
                if (text) error = "--baud takes a rate in bits per second, such as 115200";
                return std::nullopt;
            }
            options.rate = static_cast<int>(*rate);
        } else if (word == "--json") {
            options.json = true;
        } else if (word == "--verify" && options.command == Command::Write) {
            options.verify = true;
        } else if ((word == "-o" || word == "--output") && options.command == Command::Read) {
            const auto path = value();
            if (!path) return std::nullopt;
            options.outputPath = *path;
        } else if (word == "--rates" && options.command == Command::Find) {
            options.allRates = true;
        } else if (word == "--timeout" && options.command == Command::Learn) {
            const auto text = value();
            const auto seconds = text ? number(*text, 1, 3600) : std::nullopt;
            if (!seconds) {
                if (text) error = "--timeout takes whole seconds from 1 to 3600";
                return std::nullopt;
            }
            options.learnSeconds = static_cast<int>(*seconds);
        } else if (word == "--bind" && options.command == Command::SetBaud) {
            const auto text = value();
            const auto binding = text ? bindingOf(*text) : std::nullopt;
            if (!binding) {
                if (text) error = "--bind takes sequencer, projector, player or amplifier";
                return std::nullopt;
            }
            options.binding = *binding;
        } else if (word.size() > 1 && word[0] == '-' && word != "-") {
            error = arguments[0] + " has no option " + word;
            return std::nullopt;
        } else {
            operands.push_back(word);
        }
    }
    if (operands.size() != known->operands) {
        error = arguments[0] + " takes " + std::to_string(known->operands) + " operand" +
                (known->operands == 1 ? "" : "s") + ", not " + std::to_string(operands.size());
        return std::nullopt;
    }
    const bool severalAllowed =
        options.command == Command::Read || options.command == Command::Write || options.command == Command::Find;
    if (options.ports.size() > 1 && !severalAllowed) {
        error = arguments[0] + " takes one --port";
        return std::nullopt;
    }
    const bool portNeeded = options.command != Command::Ports && options.command != Command::Find;
    if (portNeeded && options.ports.empty()) {
        error = arguments[0] + " needs --port NAME";
        return std::nullopt;
    }
    if (!takeOperands(options, operands, error)) return std::nullopt;
    return options;
}

const char* usageText() {
    return "usage: veltrano-module COMMAND [--port NAME] [--baud RATE] [--json]\n"
           "Provisions infrared controller modules over their serial lines with the\n"
           "frames and pauses the Veltrano program uses.\n"
           "\n"
           "commands:\n"
           "  ports                     list the serial ports and what the system knows of\n"
           "                            each (description, USB vendor and product, serial)\n"
           "  find [--rates]            say which ports have a module behind them (all\n"
           "                            listed ports, or those given); --rates tries each\n"
           "                            of the rates 9600 19200 38400 57600 115200\n"
           "  read [-o FILE]            read the module's table: FILE.dat a table file the\n"
           "                            program opens, FILE.csv the table tool's CSV, none\n"
           "                            or - JSON on standard output\n"
           "  write FILE [--verify]     write a .dat or .csv table; every code is checked\n"
           "                            first and a bad one stops everything; --verify\n"
           "                            reads the module back and lists rows that differ\n"
           "  clear                     erase the module's table\n"
           "  send CODE                 send an infrared code (hexadecimal) for a trial\n"
           "  learn [--timeout SECONDS] start learning and print the learned code\n"
           "                            (default 30 seconds)\n"
           "  set-baud SEQUENCER PROJECTOR PLAYER AMPLIFIER --bind DEVICE\n"
           "                            set the module's four device port rates (at most\n"
           "                            16777215) and bind its extension area to DEVICE:\n"
           "                            sequencer, projector, player or amplifier\n"
           "\n"
           "options:\n"
           "  --port NAME   the port, e.g. /dev/ttyUSB0 or COM3; read, write and find take\n"
           "                several and work on them in parallel\n"
           "  --baud RATE   the line's rate (default 115200)\n"
           "  --json        print the result as JSON\n"
           "\n"
           "example:\n"
           "  veltrano-module write room.dat --verify --port /dev/ttyUSB0 --port /dev/ttyUSB1\n"
           "\n"
           "exit codes:\n"
           "  0  done\n"
           "  1  --verify found rows that differ\n"
           "  2  wrong usage, or a table that cannot be read or holds a bad code\n"
           "  3  a port could not be opened or was lost\n"
           "  4  the module did not answer in time\n"
           "  5  standard output could not be written (a full disk, a closed pipe)\n"
           "  130  stopped with Ctrl-C (a write first takes the module out of\n"
           "       configuration mode)\n";
}

}  // namespace veltrano::module
