#include "tools/veltrano_module/reply_reader.h"

#include <algorithm>
#include <span>

#include "app/protocol/sequence_waits.h"

namespace veltrano::module {

bool ReplyReader::collect(SteadyClock::time_point until, std::vector<protocol::ReceiveOutcome>& outcomes) {
    Bytes read;
    while (true) {
        const auto now = SteadyClock::now();
        if (read.empty() && now >= until) {
            return true;
        }
        // Once bytes have come, the read ends with the first quiet poll
        // interval, as the program's second look at the queue ends it.
        const Millis within = read.empty() ? std::chrono::ceil<Millis>(until - now) : Millis{protocol::kReceivePollMs};
        const std::size_t before = read.size();
        if (!line_.read(read, within)) {
            judge(read, outcomes);
            return false;
        }
        if (read.size() == before && !read.empty()) {
            judge(read, outcomes);
        }
    }
}

void ReplyReader::judge(Bytes& read, std::vector<protocol::ReceiveOutcome>& outcomes) {
    std::span<const std::uint8_t> rest(read);
    while (!rest.empty()) {
        const std::size_t length =
            std::clamp<std::size_t>(protocol::firstFrameLength(rest, extracting_), 1, rest.size());
        const auto piece = rest.first(length);
        protocol::ReceiveOutcome outcome =
            protocol::classifyReceived(piece, extracting_, static_cast<std::int32_t>(piece.size()));
        if (outcome.kind == protocol::ReceiveKind::ReadBackStarted) {
            extracting_ = true;
        } else if (outcome.kind == protocol::ReceiveKind::ReadBackComplete) {
            extracting_ = false;
        }
        outcomes.push_back(std::move(outcome));
        rest = rest.subspan(length);
    }
    read.clear();
}

}  // namespace veltrano::module
