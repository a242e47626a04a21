#include "tools/module_sim/options.h"

#include <charconv>
#include <cstdint>

#include "tools/module_sim/text_files.h"

namespace veltrano::modulesim {
namespace {

std::optional<long long> parseNumber(const std::string& text, long long low, long long high) {
    long long value = 0;
    const auto* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (result.ec != std::errc{} || result.ptr != end || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::string usage() {
    return "usage: veltrano-module-sim --link PATH [options]\n"
           "Plays the infrared controller module at the far end of a pseudo-terminal whose\n"
           "slave is published at PATH (a symbolic link). SIGTERM or SIGINT end it.\n"
           "  --log FILE             append one line per frame: seconds, rx/tx, kind, hex\n"
           "  --status FILE          rewrite FILE after every frame with the module's state\n"
           "  --store FILE           load the stored rows from FILE if present; save them\n"
           "                         there after every change (lines: row hex)\n"
           "  --gap-ms N             quiet gap that ends a slot frame or code (default 20)\n"
           "  --pace-ms N            gap around read-back records, at least 30 (default 40)\n"
           "  --learn-delay-ms N     from the learn frame to the learned code (default 300)\n"
           "  --learned-code HEX     the learned code, FA ... ED (default FA0102030405ED)\n"
           "faults:\n"
           "  --noise                random bursts on the idle line\n"
           "  --noise-interval-ms N  mean time between bursts (default 250)\n"
           "  --seed N               seed of the noise (default 1)\n"
           "  --split                send every frame one byte per write\n"
           "  --split-gap-ms N       between the bytes of a split frame (default 2)\n"
           "  --silent-readback      never send the read-complete frame\n"
           "  --drop-row N           take slot frames for row N but never store them\n"
           "  --hangup-after N       close the line after N frames and exit\n"
           "  --hangup-after-records N  close the line after sending N read-back records\n"
           "                         and exit\n";
}

std::optional<Options> parseOptions(const std::vector<std::string>& arguments, std::string& error) {
    Options options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& name = arguments[i];
        const auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= arguments.size()) {
                error = name + " needs a value";
                return std::nullopt;
            }
            return arguments[++i];
        };
        const auto number = [&](long long low, long long high) -> std::optional<long long> {
            const auto text = value();
            if (!text) {
                return std::nullopt;
            }
            const auto parsed = parseNumber(*text, low, high);
            if (!parsed) {
                error = name + " takes a number from " + std::to_string(low) + " to " + std::to_string(high);
            }
            return parsed;
        };
        const auto path = [&](std::string& target) {
            const auto text = value();
            if (text) {
                target = *text;
            }
            return text.has_value();
        };
        const auto millis = [&](Millis& target, long long low) {
            const auto parsed = number(low, 60000);
            if (parsed) {
                target = Millis{*parsed};
            }
            return parsed.has_value();
        };

        bool ok = true;
        if (name == "--link") {
            ok = path(options.linkPath);
        } else if (name == "--log") {
            ok = path(options.logPath);
        } else if (name == "--status") {
            ok = path(options.statusPath);
        } else if (name == "--store") {
            ok = path(options.storePath);
        } else if (name == "--gap-ms") {
            ok = millis(options.quietGap, 1);
        } else if (name == "--pace-ms") {
            ok = millis(options.module.recordPace, 30);
        } else if (name == "--learn-delay-ms") {
            ok = millis(options.module.learnDelay, 0);
        } else if (name == "--learned-code") {
            const auto text = value();
            const auto code = text ? parseHex(*text) : std::nullopt;
            ok = code && code->size() >= 2 && code->front() == 0xFA && code->back() == 0xED;
            if (ok) {
                options.module.learnedCode = *code;
            } else if (text) {
                error = "--learned-code takes hexadecimal digit pairs from FA to ED";
            }
        } else if (name == "--noise") {
            options.output.noise = true;
        } else if (name == "--noise-interval-ms") {
            ok = millis(options.output.noiseInterval, 10);
        } else if (name == "--seed") {
            const auto parsed = number(0, UINT32_MAX);
            ok = parsed.has_value();
            if (ok) {
                options.output.seed = static_cast<std::uint32_t>(*parsed);
            }
        } else if (name == "--split") {
            options.output.split = true;
        } else if (name == "--split-gap-ms") {
            ok = millis(options.output.splitGap, 0);
        } else if (name == "--silent-readback") {
            options.module.silentReadback = true;
        } else if (name == "--drop-row") {
            const auto parsed = number(1, 78);
            ok = parsed.has_value();
            if (ok) {
                options.module.dropRow = static_cast<int>(*parsed);
            }
        } else if (name == "--hangup-after") {
            const auto parsed = number(1, 1000000000);
            ok = parsed.has_value();
            if (ok) {
                options.hangupAfter = static_cast<long>(*parsed);
            }
        } else if (name == "--hangup-after-records") {
            const auto parsed = number(1, 1000000000);
            ok = parsed.has_value();
            if (ok) {
                options.hangupAfterRecords = static_cast<long>(*parsed);
            }
        } else {
            error = "unknown option " + name;
            ok = false;
        }
        if (!ok) {
            return std::nullopt;
        }
    }
    if (options.linkPath.empty()) {
        error = "--link is required";
        return std::nullopt;
    }
    return options;
}

}  // namespace veltrano::modulesim
