#include "tools/module_sim/pty_line.h"

#include <utility>

namespace veltrano::modulesim {

PtyLine::PtyLine(std::string linkPath) : terminal_(true) {
    // Raw both ways, so the module never hears its own replies echoed.
    terminal_.makeRaw();
    link_.emplace(std::move(linkPath), terminal_.slavePath());
}

void PtyLine::hangUp() {
    terminal_.close();
    link_.reset();
}

}  // namespace veltrano::modulesim
