#include "app/protocol/write_sequence_plan.h"

#include <string_view>
#include <utility>

#include "app/hex/hex_codec.h"
#include "app/protocol/frames.h"
#include "app/protocol/key_table.h"
#include "app/protocol/slot_table.h"

namespace veltrano::protocol {
namespace {

std::string compactText(std::span<const std::string> texts, int row) {
    const auto index = static_cast<std::size_t>(row - kFirstKeyRow);
    if (index >= texts.size()) {
        return {};
    }
    return removeAllSpaces(texts[index]);
}

class PlanBuilder {
public:
    void send(std::string_view text, int waitMs) {
        steps_.push_back(WriteStep{WriteStep::Kind::Send, std::string(text), 0});
        steps_.push_back(WriteStep{WriteStep::Kind::Wait, {}, waitMs});
    }

    void progress(int value) { steps_.push_back(WriteStep{WriteStep::Kind::Progress, {}, value}); }

    std::vector<WriteStep> take() { return std::move(steps_); }

private:
    std::vector<WriteStep> steps_;
};

}  // namespace

std::vector<WriteStep> planWriteSequence(std::span<const std::string> texts) {
    PlanBuilder plan;
    plan.send(kEnterConfigText, kWaitAfterCommandMs);
    int handled = 0;
    for (int block = 1; block <= kBlockCount; ++block) {
        plan.send(blockBeginText(block), kWaitAfterCommandMs);
        for (const int row : blockRows(block)) {
            const std::string data = compactText(texts, row);
            const auto address = slotOfRow(row);
            if (!data.empty() && address) {
                plan.send(slotFrameText(address->position, data), kWaitAfterSlotMs);
            }
            plan.progress(++handled);
        }
        plan.send(blockEndText(block), kWaitAfterCommandMs);
    }
    plan.progress(kProgressDone);
    plan.send(kExitConfigText, kWaitAfterCommandMs);
    plan.progress(0);
    return plan.take();
}

std::optional<int> firstInvalidRow(std::span<const std::string> texts, hex::MessageSink& sink) {
    for (int row = kFirstKeyRow; row <= kLastKeyRow; ++row) {
        const std::string data = compactText(texts, row);
        if (!data.empty() && hex::HexToBytes(data, sink).empty()) {
            return row;
        }
    }
    return std::nullopt;
}

}  // namespace veltrano::protocol
