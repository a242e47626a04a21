#include "tools/module_sim/inbound_frame.h"

#include <algorithm>
#include <optional>

#include "app/protocol/frames.h"

namespace veltrano::modulesim {
namespace {

bool sameAs(std::span<const std::uint8_t> frame, std::string_view text) {
    const auto bytes = protocol::frameBytes(text);
    return bytes && std::equal(frame.begin(), frame.end(), bytes->begin(), bytes->end());
}

template <std::size_t N>
bool startsWith(std::span<const std::uint8_t> frame, const std::array<std::uint8_t, N>& prefix) {
    return frame.size() >= N && std::equal(prefix.begin(), prefix.end(), frame.begin());
}

// A frame that stops before a fixed shape was complete.
template <std::size_t N>
bool cutShort(std::span<const std::uint8_t> frame, const std::array<std::uint8_t, N>& prefix, std::size_t size) {
    const std::size_t count = std::min(frame.size(), N);
    return frame.size() < size &&
           std::equal(frame.begin(), frame.begin() + static_cast<std::ptrdiff_t>(count), prefix.begin());
}

std::optional<InboundFrame> commandFrame(std::span<const std::uint8_t> frame) {
    if (sameAs(frame, protocol::kEnterConfigText)) {
        return InboundFrame{FrameKind::EnterConfig, 0};
    }
    if (sameAs(frame, protocol::kExitConfigText)) {
        return InboundFrame{FrameKind::ExitConfig, 0};
    }
    if (sameAs(frame, protocol::kClearText)) {
        return InboundFrame{FrameKind::Clear, 0};
    }
    if (sameAs(frame, protocol::kReadRequestText)) {
        return InboundFrame{FrameKind::ReadRequest, 0};
    }
    for (int block = 1; block <= protocol::kBlockCount; ++block) {
        if (sameAs(frame, protocol::blockBeginText(block))) {
            return InboundFrame{FrameKind::BlockBegin, block};
        }
        if (sameAs(frame, protocol::blockEndText(block))) {
            return InboundFrame{FrameKind::BlockEnd, block};
        }
    }
    return std::nullopt;
}

}  // namespace

InboundFrame classifyInbound(std::span<const std::uint8_t> frame) {
    if (auto command = commandFrame(frame)) {
        return *command;
    }
    if (frame.size() == protocol::kCommandFrameSize && startsWith(frame, protocol::kCommandPrefix)) {
        return InboundFrame{FrameKind::UnknownCommand, 0};
    }
    if (frame.size() == protocol::kPortSettingFrameSize && startsWith(frame, protocol::kPortSettingPrefix) &&
        frame.back() == protocol::kFrameEnd) {
        return InboundFrame{FrameKind::PortSetting, 0};
    }
    if (startsWith(frame, protocol::kSlotPrefix) && frame.size() >= protocol::kSlotHeaderSize) {
        return InboundFrame{FrameKind::Slot, 0};
    }
    if (sameAs(frame, protocol::kLearnText)) {
        return InboundFrame{FrameKind::Learn, 0};
    }
    if (cutShort(frame, protocol::kCommandPrefix, protocol::kCommandFrameSize) ||
        cutShort(frame, protocol::kPortSettingPrefix, protocol::kPortSettingFrameSize) ||
        cutShort(frame, protocol::kSlotPrefix, protocol::kSlotHeaderSize)) {
        return InboundFrame{FrameKind::Fragment, 0};
    }
    return InboundFrame{FrameKind::Code, 0};
}

std::string_view kindName(FrameKind kind) {
    switch (kind) {
        case FrameKind::EnterConfig: return "enter-config";
        case FrameKind::ExitConfig: return "exit-config";
        case FrameKind::Clear: return "clear";
        case FrameKind::ReadRequest: return "read-request";
        case FrameKind::BlockBegin: return "block-begin";
        case FrameKind::BlockEnd: return "block-end";
        case FrameKind::UnknownCommand: return "unknown-command";
        case FrameKind::PortSetting: return "port-setting";
        case FrameKind::Slot: return "slot";
        case FrameKind::Learn: return "learn";
        case FrameKind::Fragment: return "fragment";
        case FrameKind::Code: return "code";
    }
    return "code";
}

}  // namespace veltrano::modulesim
