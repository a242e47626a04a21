// Native far end of a serial line for the Windows serial tests: creates a
// pseudo-terminal, publishes its slave through a symbolic link, and plays a
// short script on the master side.
//
//   serial_far_end --link PATH [--expect HEX --reply HEX] [--record FILE]
//                  [--timeout SECONDS] [--raw]
//
// Exit status: 0 when the reply went out (or no expectation was given),
// 3 when other bytes came first, 4 when the expected bytes never came,
// 2 on bad arguments or a system failure.
#include <signal.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "app/hex/hex_codec.h"
#include "tests/serial/far_end.h"
#include "tools/posix/pseudo_terminal.h"

namespace {

using veltrano::serialtest::FarEndOutcome;
using veltrano::serialtest::FarEndScript;

class ParseFailure : public veltrano::hex::MessageSink {
public:
    void showMessage(const std::string&, const std::string&) override { failed = true; }
    bool failed = false;
};

std::vector<std::uint8_t> parseHex(const char* text) {
    ParseFailure sink;
    auto bytes = veltrano::hex::HexToBytes(text, sink);
    if (sink.failed) {
        throw std::invalid_argument(std::string("not hexadecimal: ") + text);
    }
    return bytes;
}

void blockStopSignals() {
    sigset_t stops;
    sigemptyset(&stops);
    sigaddset(&stops, SIGTERM);
    sigaddset(&stops, SIGINT);
    sigprocmask(SIG_BLOCK, &stops, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    try {
        FarEndScript script;
        std::string link;
        bool raw = false;
        for (int i = 1; i < argc; ++i) {
            const std::string_view option = argv[i];
            const bool hasValue = i + 1 < argc;
            if (option == "--raw") {
                raw = true;
            } else if (option == "--link" && hasValue) {
                link = argv[++i];
            } else if (option == "--expect" && hasValue) {
                script.expect = parseHex(argv[++i]);
            } else if (option == "--reply" && hasValue) {
                script.reply = parseHex(argv[++i]);
            } else if (option == "--record" && hasValue) {
                script.recordPath = argv[++i];
            } else if (option == "--timeout" && hasValue) {
                script.timeout = std::chrono::seconds(std::strtol(argv[++i], nullptr, 10));
            } else {
                std::fprintf(stderr, "serial_far_end: unknown or incomplete option %s\n", argv[i]);
                return 2;
            }
        }
        if (link.empty()) {
            std::fprintf(stderr, "serial_far_end: --link is required\n");
            return 2;
        }
        blockStopSignals();
        veltrano::posix::PseudoTerminal line;
        if (raw) {
            line.makeRaw();
        }
        const veltrano::posix::PublishedLink published(link, line.slavePath());
        switch (veltrano::serialtest::serveLine(line.master(), script)) {
            case FarEndOutcome::Replied:
            case FarEndOutcome::NothingToDo: return 0;
            case FarEndOutcome::Mismatch:
                std::fprintf(stderr, "serial_far_end: received other bytes than expected\n");
                return 3;
            case FarEndOutcome::TimedOut:
                std::fprintf(stderr, "serial_far_end: the expected bytes did not arrive\n");
                return 4;
        }
        return 2;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "serial_far_end: %s\n", error.what());
        return 2;
    }
}
