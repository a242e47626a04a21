#pragma once

#include <mutex>
#include <ostream>
#include <string>
#include <vector>

namespace veltrano::module {

// One line of progress per port on a terminal, redrawn in place; nothing at
// all when the stream is not a terminal, so logs and pipes stay clean.
// Safe to update from the threads that serve the ports.
class ProgressBoard {
public:
    ProgressBoard(std::ostream& out, bool enabled, std::vector<std::string> labels);
    ~ProgressBoard();
    ProgressBoard(const ProgressBoard&) = delete;
    ProgressBoard& operator=(const ProgressBoard&) = delete;

    void update(std::size_t line, int done, int total, const std::string& what);
    // Leaves the lines as they are and moves below them.
    void finish();

private:
    void draw();

    std::ostream& out_;
    bool enabled_;
    bool drawn_ = false;
    std::vector<std::string> labels_;
    std::vector<std::string> states_;
    std::mutex mutex_;
};

// "[#####     ]  39/78 writing" for a line of the board.
std::string progressLine(int done, int total, const std::string& what);

}  // namespace veltrano::module
