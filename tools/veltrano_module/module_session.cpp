#include "tools/veltrano_module/module_session.h"

#include <algorithm>
#include <optional>

#include "app/protocol/key_table.h"
#include "app/protocol/log_lines.h"
#include "app/protocol/sequence_waits.h"
#include "app/protocol/slot_table.h"
#include "app/protocol/write_sequence_plan.h"

namespace veltrano::module {
namespace {

using protocol::ReceiveKind;

// The row a slot frame stores, given the block opened last.
std::optional<int> rowOfSlotFrame(std::span<const std::uint8_t> frame, int block) {
    if (frame.size() < protocol::kSlotHeaderSize ||
        !std::equal(protocol::kSlotPrefix.begin(), protocol::kSlotPrefix.end(), frame.begin())) {
        return std::nullopt;
    }
    const auto position = static_cast<std::uint16_t>((frame[3] << 8) | frame[4]);
    return protocol::rowOfSlot(protocol::SlotAddress{block, position});
}

int blockOpenedBy(std::string_view frameText) {
    for (int block = 1; block <= protocol::kBlockCount; ++block) {
        if (frameText == protocol::blockBeginText(block)) return block;
    }
    return 0;
}

// A learned code starts with FA and ends with ED; the log line holds the
// pairs, a space after each, then the line end.
bool isLearnedCode(const protocol::ReceiveOutcome& outcome) {
    const std::string_view line = outcome.logLine;
    return outcome.kind == ReceiveKind::Other && !outcome.record && line.starts_with("FA ") &&
           line.ends_with("ED \r\n");
}

}  // namespace

bool ModuleSession::send(std::string_view frameText) {
    // A text the codec would refuse never reaches the line, as in the
    // program; that is not a lost line.
    const auto bytes = protocol::frameBytes(frameText);
    return !bytes || line_.write(*bytes);
}

bool ModuleSession::collectUntil(SteadyClock::time_point until) {
    return reader_.collect(until, replies_);
}

bool ModuleSession::pause(int ms) {
    return collectUntil(SteadyClock::now() + Millis{ms});
}

bool ModuleSession::awaitEcho(ReceiveKind kind, bool& lineLost) {
    const auto seen = [&] {
        return std::any_of(replies_.begin(), replies_.end(), [&](const auto& reply) { return reply.kind == kind; });
    };
    const auto deadline = SteadyClock::now() + answerWithin_;
    lineLost = false;
    while (!seen()) {
        const auto now = SteadyClock::now();
        if (now >= deadline || stopRequested()) return false;
        if (!collectUntil(std::min(deadline, now + Millis{protocol::kReceivePollMs}))) {
            lineLost = true;
            return false;
        }
    }
    return true;
}

bool ModuleSession::leaveConfiguration() {
    return send(protocol::kExitConfigText) && pause(protocol::kWaitAfterCommandMs);
}

Ending ModuleSession::enterConfiguration() {
    replies_.clear();
    if (!send(protocol::kEnterConfigText) || !pause(protocol::kWaitAfterCommandMs)) return Ending::LineLost;
    bool lineLost = false;
    if (awaitEcho(ReceiveKind::EnterConfig, lineLost)) return Ending::Done;
    if (lineLost || !leaveConfiguration()) return Ending::LineLost;
    return stopRequested() ? Ending::Interrupted : Ending::NoAnswer;
}

Ending ModuleSession::probe(bool& answered) {
    replies_.clear();
    answered = false;
    if (!send(protocol::kEnterConfigText)) return Ending::LineLost;
    bool lineLost = false;
    answered = awaitEcho(ReceiveKind::EnterConfig, lineLost);
    if (lineLost || !leaveConfiguration()) return Ending::LineLost;
    return Ending::Done;
}

WriteOutcome ModuleSession::write(std::span<const std::string> texts, const Progress& progress) {
    WriteOutcome outcome;
    replies_.clear();
    const std::vector<protocol::WriteStep> plan = protocol::planWriteSequence(texts);
    int block = 0;
    bool entered = false;
    bool exitSent = false;
    for (const protocol::WriteStep& step : plan) {
        if (stopRequested()) {
            const bool lineUp = !entered || exitSent || leaveConfiguration();
            outcome.ending = lineUp ? Ending::Interrupted : Ending::LineLost;
            return outcome;
        }
        switch (step.kind) {
            case protocol::WriteStep::Kind::Send: {
                const auto bytes = protocol::frameBytes(step.frameText);
                if (!bytes) break;
                if (!line_.write(*bytes)) {
                    outcome.ending = Ending::LineLost;
                    return outcome;
                }
                block = std::max(block, blockOpenedBy(step.frameText));
                exitSent = exitSent || step.frameText == protocol::kExitConfigText;
                if (const auto row = rowOfSlotFrame(*bytes, block)) outcome.lastRowWritten = *row;
                break;
            }
            case protocol::WriteStep::Kind::Wait:
                if (!pause(step.value)) {
                    outcome.ending = Ending::LineLost;
                    return outcome;
                }
                // The first wait follows the enter frame: a module that has
                // not echoed it by then gets a little longer, and none at all
                // means nobody is listening.
                if (!entered) {
                    bool lineLost = false;
                    entered = awaitEcho(ReceiveKind::EnterConfig, lineLost);
                    if (!entered) {
                        outcome.ending = (lineLost || !leaveConfiguration()) ? Ending::LineLost
                                         : stopRequested()                   ? Ending::Interrupted
                                                                             : Ending::NoAnswer;
                        return outcome;
                    }
                }
                break;
            case protocol::WriteStep::Kind::Progress:
                if (progress && step.value >= protocol::kFirstKeyRow && step.value <= protocol::kKeyRowCount) {
                    progress(step.value, protocol::kKeyRowCount);
                }
                break;
        }
    }
    return outcome;
}

ReadOutcome ModuleSession::read(const Progress& progress) {
    ReadOutcome outcome;
    outcome.ending = enterConfiguration();
    if (outcome.ending != Ending::Done) return outcome;
    replies_.clear();
    if (!send(protocol::kReadRequestText)) {
        outcome.ending = Ending::LineLost;
        return outcome;
    }
    // The module paces its records; a pause longer than a reply may take
    // means it has stopped.
    auto deadline = SteadyClock::now() + Millis{protocol::kWaitAfterCommandMs} + answerWithin_;
    std::size_t judged = 0;
    while (true) {
        if (stopRequested()) {
            outcome.ending = Ending::Interrupted;
            return outcome;
        }
        const auto now = SteadyClock::now();
        if (now >= deadline) {
            outcome.ending = Ending::NoAnswer;
            return outcome;
        }
        const bool lineUp = collectUntil(std::min(deadline, now + Millis{protocol::kReceivePollMs}));
        for (; judged < replies_.size(); ++judged) {
            const protocol::ReceiveOutcome& reply = replies_[judged];
            deadline = SteadyClock::now() + answerWithin_;
            if (reply.record) {
                outcome.rows[reply.record->row] = reply.record->cellText;
                if (progress) progress(reply.record->row, protocol::kKeyRowCount);
            } else if (reply.kind == ReceiveKind::ReadBackComplete) {
                return outcome;
            }
        }
        if (!lineUp) {
            outcome.ending = Ending::LineLost;
            return outcome;
        }
    }
}

Ending ModuleSession::clear() {
    const Ending entered = enterConfiguration();
    if (entered != Ending::Done) return entered;
    if (!send(protocol::kClearText) || !pause(protocol::kWaitAfterClearMs) || !leaveConfiguration()) {
        return Ending::LineLost;
    }
    return Ending::Done;
}

Ending ModuleSession::setPortRates(const protocol::PortRates& rates, int binding) {
    const Ending entered = enterConfiguration();
    if (entered != Ending::Done) return entered;
    if (!send(protocol::portSettingText(rates, binding)) || !pause(protocol::kWaitAfterPortSettingMs) ||
        !leaveConfiguration()) {
        return Ending::LineLost;
    }
    return Ending::Done;
}

Ending ModuleSession::sendCode(std::span<const std::uint8_t> code) {
    return line_.write(code) ? Ending::Done : Ending::LineLost;
}

LearnOutcome ModuleSession::learn(Millis within) {
    LearnOutcome outcome;
    replies_.clear();
    if (!send(protocol::kLearnText)) {
        outcome.ending = Ending::LineLost;
        return outcome;
    }
    const auto deadline = SteadyClock::now() + within;
    std::size_t judged = 0;
    while (true) {
        for (; judged < replies_.size(); ++judged) {
            if (isLearnedCode(replies_[judged])) {
                const std::string& line = replies_[judged].logLine;
                outcome.code = protocol::removeAllSpaces(
                    std::string_view(line).substr(0, line.size() - protocol::kLineEnd.size()));
                return outcome;
            }
        }
        const auto now = SteadyClock::now();
        if (stopRequested() || now >= deadline) {
            outcome.ending = stopRequested() ? Ending::Interrupted : Ending::NoAnswer;
            return outcome;
        }
        if (!collectUntil(std::min(deadline, now + Millis{protocol::kReceivePollMs}))) {
            outcome.ending = Ending::LineLost;
            return outcome;
        }
    }
}

}  // namespace veltrano::module
