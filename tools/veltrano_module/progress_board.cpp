#include "tools/veltrano_module/progress_board.h"

#include <algorithm>
#include <utility>

namespace veltrano::module {
namespace {

constexpr int kBarWidth = 30;

}  // namespace

std::string progressLine(int done, int total, const std::string& what) {
    const int bounded = std::clamp(done, 0, std::max(total, 0));
    const auto filled = static_cast<std::size_t>(total > 0 ? bounded * kBarWidth / total : 0);
    const std::string count = std::to_string(bounded) + "/" + std::to_string(total);
    // Appended piece by piece: a chain of + here makes the Windows compiler
    // warn about overlapping copies it cannot rule out.
    std::string line(1, '[');
    line.append(filled, '#');
    line.append(static_cast<std::size_t>(kBarWidth) - filled, ' ');
    line.append("] ");
    line.append(count.size() < 5 ? 5 - count.size() : 0, ' ');
    line.append(count);
    line.push_back(' ');
    line.append(what);
    return line;
}

ProgressBoard::ProgressBoard(std::ostream& out, bool enabled, std::vector<std::string> labels)
    : out_(out), enabled_(enabled), labels_(std::move(labels)), states_(labels_.size()) {}

ProgressBoard::~ProgressBoard() {
    finish();
}

void ProgressBoard::update(std::size_t line, int done, int total, const std::string& what) {
    if (!enabled_ || line >= states_.size()) return;
    const std::lock_guard lock(mutex_);
    states_[line] = progressLine(done, total, what);
    draw();
}

void ProgressBoard::finish() {
    const std::lock_guard lock(mutex_);
    enabled_ = false;
}

void ProgressBoard::draw() {
    // Back to the first line of the board, then every line cleared and
    // written again: the ports move on independently.
    if (drawn_) out_ << "\x1b[" << states_.size() << "F";
    std::size_t width = 0;
    for (const auto& label : labels_) width = std::max(width, label.size());
    for (std::size_t index = 0; index < states_.size(); ++index) {
        out_ << "\x1b[2K" << labels_[index] << std::string(width - labels_[index].size(), ' ') << "  " << states_[index]
             << "\n";
    }
    out_.flush();
    drawn_ = true;
}

}  // namespace veltrano::module
