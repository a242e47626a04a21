#include "tools/module_sim/module.h"

#include <utility>

#include "app/protocol/frames.h"
#include "app/protocol/key_table.h"
#include "app/protocol/slot_table.h"

namespace veltrano::modulesim {
namespace {

Bytes toBytes(std::span<const std::uint8_t> frame) {
    return Bytes(frame.begin(), frame.end());
}

std::uint32_t rateAt(std::span<const std::uint8_t> frame, std::size_t offset) {
    return (static_cast<std::uint32_t>(frame[offset]) << 16) | (static_cast<std::uint32_t>(frame[offset + 1]) << 8) |
           static_cast<std::uint32_t>(frame[offset + 2]);
}

}  // namespace

Module::Module(ModuleSettings settings) : settings_(std::move(settings)) {}

Handled Module::handle(std::span<const std::uint8_t> frame) {
    ++framesReceived_;
    Handled handled;
    handled.frame = classifyInbound(frame);
    switch (handled.frame.kind) {
        case FrameKind::EnterConfig:
            configuring_ = true;
            handled.replies.push_back(Reply{toBytes(frame), Millis{0}, "echo"});
            break;
        case FrameKind::ExitConfig:
            configuring_ = false;
            openBlock_ = 0;
            handled.replies.push_back(Reply{toBytes(frame), Millis{0}, "echo"});
            break;
        case FrameKind::Clear: store_.clear(); break;
        case FrameKind::ReadRequest:
            handled.replies.push_back(Reply{toBytes(frame), Millis{0}, "echo"});
            for (auto& reply : readBack()) {
                handled.replies.push_back(std::move(reply));
            }
            break;
        case FrameKind::BlockBegin: openBlock_ = handled.frame.block; break;
        case FrameKind::BlockEnd:
            if (openBlock_ != handled.frame.block) {
                handled.note = "not-open";
            }
            openBlock_ = 0;
            break;
        case FrameKind::PortSetting: {
            PortSetting setting;
            for (std::size_t i = 0; i < setting.rates.size(); ++i) {
                setting.rates[i] = rateAt(frame, protocol::kPortSettingPrefix.size() + 3 * i);
            }
            setting.binding = frame[protocol::kPortSettingFrameSize - 2];
            portSetting_ = setting;
            break;
        }
        case FrameKind::Slot: handled.note = storeSlot(frame); break;
        case FrameKind::Learn:
            ++learnRequests_;
            handled.replies.push_back(Reply{settings_.learnedCode, settings_.learnDelay, "learned"});
            break;
        case FrameKind::Code: typedCodes_.push_back(toBytes(frame)); break;
        case FrameKind::UnknownCommand:
        case FrameKind::Fragment: break;
    }
    return handled;
}

std::string Module::storeSlot(std::span<const std::uint8_t> frame) {
    if (openBlock_ == 0) {
        return "rejected:no-block";
    }
    const auto position = static_cast<std::uint16_t>((frame[3] << 8) | frame[4]);
    const auto row = protocol::rowOfSlot(protocol::SlotAddress{openBlock_, position});
    if (!row) {
        return "rejected:no-row";
    }
    if (*row == settings_.dropRow) {
        return "dropped:row=" + std::to_string(*row);
    }
    Bytes data(frame.begin() + static_cast<std::ptrdiff_t>(protocol::kSlotHeaderSize), frame.end());
    // A slot written with no data holds nothing, so it is not read back.
    if (data.empty()) {
        store_.erase(*row);
    } else {
        store_[*row] = std::move(data);
    }
    return "row=" + std::to_string(*row);
}

std::vector<Reply> Module::readBack() const {
    std::vector<Reply> replies;
    for (const auto& [row, data] : store_) {
        if (row < protocol::kFirstKeyRow || row > protocol::kLastKeyRow) {
            continue;
        }
        Bytes record(protocol::kRecordPrefix.begin(), protocol::kRecordPrefix.end());
        record.push_back(static_cast<std::uint8_t>(row));
        record.insert(record.end(), data.begin(), data.end());
        replies.push_back(Reply{std::move(record), settings_.recordPace, "record"});
    }
    if (!settings_.silentReadback) {
        if (auto complete = protocol::frameBytes(protocol::kReadCompleteText)) {
            replies.push_back(Reply{std::move(*complete), settings_.recordPace, "read-complete"});
        }
    }
    return replies;
}

}  // namespace veltrano::modulesim
