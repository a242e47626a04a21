#include "tools/module_sim/frame_assembler.h"

#include <algorithm>
#include <array>
#include <utility>

#include "app/protocol/frames.h"

namespace veltrano::modulesim {
namespace {

// True while `pending` is still a prefix of `prefix` or starts with all of it.
template <std::size_t N>
bool agreesWith(const Bytes& pending, const std::array<std::uint8_t, N>& prefix) {
    const std::size_t count = std::min(pending.size(), prefix.size());
    return std::equal(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(count), prefix.begin());
}

}  // namespace

FrameAssembler::FrameAssembler(Millis quietGap, std::size_t maxFrameSize)
    : quietGap_(quietGap), maxFrameSize_(std::max<std::size_t>(maxFrameSize, protocol::kPortSettingFrameSize)) {}

FrameAssembler::Shape FrameAssembler::shapeOf() const {
    const bool command = agreesWith(pending_, protocol::kCommandPrefix);
    const bool portSetting = agreesWith(pending_, protocol::kPortSettingPrefix);
    if (command && portSetting) {
        return Shape::Undecided;
    }
    if (command) {
        return pending_.size() >= protocol::kCommandPrefix.size() ? Shape::Command : Shape::Undecided;
    }
    if (portSetting) {
        return pending_.size() >= protocol::kPortSettingPrefix.size() ? Shape::PortSetting : Shape::Undecided;
    }
    return Shape::UntilQuiet;
}

std::size_t FrameAssembler::nextFrameStartLength() const {
    constexpr std::uint8_t kCodeEnd = 0xED;
    if (pending_.size() <= protocol::kSlotHeaderSize + 1 || !agreesWith(pending_, protocol::kSlotPrefix)) {
        return 0;
    }
    // A late reader may find the next frame behind a slot's code: another
    // slot, or the block's end frame (or any command or port-setting frame).
    const auto startsThere = [this](std::span<const std::uint8_t> prefix) {
        if (pending_.size() < protocol::kSlotHeaderSize + 1 + prefix.size()) return false;
        const auto next = pending_.end() - static_cast<std::ptrdiff_t>(prefix.size());
        return *(next - 1) == kCodeEnd && std::equal(next, pending_.end(), prefix.begin());
    };
    for (const std::span<const std::uint8_t> prefix :
         {std::span<const std::uint8_t>(protocol::kSlotPrefix), std::span<const std::uint8_t>(protocol::kCommandPrefix),
          std::span<const std::uint8_t>(protocol::kPortSettingPrefix)}) {
        if (startsThere(prefix)) return prefix.size();
    }
    return 0;
}

std::vector<Bytes> FrameAssembler::feed(std::span<const std::uint8_t> bytes, TimePoint now) {
    std::vector<Bytes> frames;
    if (bytes.empty()) {
        return frames;
    }
    if (auto ended = closeIfQuiet(now)) {
        frames.push_back(std::move(*ended));
    }
    for (const std::uint8_t byte : bytes) {
        pending_.push_back(byte);
        const Shape shape = shapeOf();
        const bool full = (shape == Shape::Command && pending_.size() == protocol::kCommandFrameSize) ||
                          (shape == Shape::PortSetting && pending_.size() == protocol::kPortSettingFrameSize) ||
                          pending_.size() >= maxFrameSize_;
        if (full) {
            frames.push_back(std::move(*takePending()));
        } else if (const std::size_t next = shape == Shape::UntilQuiet ? nextFrameStartLength() : 0; next > 0) {
            const auto start = pending_.end() - static_cast<std::ptrdiff_t>(next);
            Bytes following(start, pending_.end());
            pending_.erase(start, pending_.end());
            frames.push_back(std::move(pending_));
            pending_ = std::move(following);
        }
    }
    lastByte_ = now;
    return frames;
}

std::optional<Bytes> FrameAssembler::closeIfQuiet(TimePoint now) {
    if (pending_.empty() || now - lastByte_ < quietGap_) {
        return std::nullopt;
    }
    return takePending();
}

std::optional<TimePoint> FrameAssembler::quietDeadline() const {
    if (pending_.empty()) {
        return std::nullopt;
    }
    return lastByte_ + quietGap_;
}

std::optional<Bytes> FrameAssembler::takePending() {
    if (pending_.empty()) {
        return std::nullopt;
    }
    Bytes frame = std::move(pending_);
    pending_.clear();
    return frame;
}

}  // namespace veltrano::modulesim
