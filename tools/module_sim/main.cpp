#include <signal.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tools/module_sim/options.h"
#include "tools/module_sim/simulator.h"

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    for (const auto& argument : arguments) {
        if (argument == "--help" || argument == "-h") {
            std::fputs(veltrano::modulesim::usage().c_str(), stdout);
            return 0;
        }
    }
    std::string error;
    const auto options = veltrano::modulesim::parseOptions(arguments, error);
    if (!options) {
        std::fprintf(stderr, "veltrano-module-sim: %s (veltrano-module-sim --help describes the options)\n",
                     error.c_str());
        return 2;
    }

    // Taken through a descriptor by the event loop; blocked before anything
    // else so that a signal sent right after start-up still ends it cleanly.
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    sigprocmask(SIG_BLOCK, &set, nullptr);
    signal(SIGPIPE, SIG_IGN);

    return veltrano::modulesim::runSimulator(*options);
}
