#include "app/protocol/log_bound.h"

namespace veltrano::protocol {
namespace {

// A line break's bytes never occur inside a double-byte character, so the
// searches need no knowledge of the code page.
constexpr std::string_view kLineEnd = "\r\n";

// Where the newest line starts: after the last line break that is not the
// text's own ending.
std::size_t newestLineStart(std::string_view log) {
    const std::string_view body = log.ends_with(kLineEnd) ? log.substr(0, log.size() - kLineEnd.size()) : log;
    const std::size_t lastBreak = body.rfind(kLineEnd);
    return lastBreak == std::string_view::npos ? 0 : lastBreak + kLineEnd.size();
}

}  // namespace

std::size_t oldestLinesToDrop(std::string_view log, std::size_t keep) {
    if (log.size() <= keep) {
        return 0;
    }
    // The first line that starts at or after firstKept; a break ending just
    // there counts, hence the search from two bytes before.
    const std::size_t firstKept = log.size() - keep;
    const std::size_t from = firstKept >= kLineEnd.size() ? firstKept - kLineEnd.size() : 0;
    const std::size_t lineEnd = log.find(kLineEnd, from);
    const std::size_t newest = newestLineStart(log);
    if (lineEnd == std::string_view::npos) {
        return newest;
    }
    const std::size_t drop = lineEnd + kLineEnd.size();
    return drop > newest ? newest : drop;
}

}  // namespace veltrano::protocol
