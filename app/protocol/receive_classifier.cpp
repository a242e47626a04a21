#include "app/protocol/receive_classifier.h"

#include <algorithm>
#include <array>

#include "app/hex/hex_codec.h"
#include "app/protocol/frames.h"
#include "app/protocol/key_table.h"
#include "app/protocol/log_lines.h"

namespace veltrano::protocol {
namespace {

struct StatusFrame {
    std::array<std::uint8_t, 3> command;
    ReceiveKind kind;
    std::string_view line;
};

constexpr std::array<StatusFrame, 4> kStatusFrames{{
    {{0xAA, 0xAA, 0xAA}, ReceiveKind::EnterConfig, kEnterConfigLine},
    {{0xAA, 0xAA, 0xBB}, ReceiveKind::ExitConfig, kExitConfigLine},
    {{0xAA, 0xAB, 0xDD}, ReceiveKind::ReadBackStarted, kReadBackStartedLine},
    {{0xAA, 0xAB, 0xDE}, ReceiveKind::ReadBackComplete, kReadBackCompleteLine},
}};

const StatusFrame* matchStatusFrame(std::span<const std::uint8_t> data) {
    if (data.size() != kCommandFrameSize || data.back() != kFrameEnd ||
        !std::equal(kCommandPrefix.begin(), kCommandPrefix.end(), data.begin())) {
        return nullptr;
    }
    const auto command = data.subspan(kCommandPrefix.size(), 3);
    for (const auto& status : kStatusFrames) {
        if (std::equal(status.command.begin(), status.command.end(), command.begin())) {
            return &status;
        }
    }
    return nullptr;
}

std::optional<ReadBackRecord> readRecord(std::span<const std::uint8_t> data, bool extracting, std::int32_t waiting) {
    if (!extracting || waiting <= 3 || data.size() <= kRecordHeaderSize ||
        !std::equal(kRecordPrefix.begin(), kRecordPrefix.end(), data.begin())) {
        return std::nullopt;
    }
    const int row = data[2];
    if (row < kFirstKeyRow || row > kLastKeyRow) {
        return std::nullopt;
    }
    return ReadBackRecord{row, hex::BytesToHex(data.subspan(kRecordHeaderSize))};
}

bool recordHeaderAt(std::span<const std::uint8_t> data, std::size_t at) {
    if (data.size() - at <= kRecordHeaderSize) {
        return false;
    }
    const int row = data[at + 2];
    return data[at] == kRecordPrefix[0] && data[at + 1] == kRecordPrefix[1] && row >= kFirstKeyRow &&
           row <= kLastKeyRow;
}

bool statusFrameAt(std::span<const std::uint8_t> data, std::size_t at) {
    return data.size() - at >= kCommandFrameSize && matchStatusFrame(data.subspan(at, kCommandFrameSize)) != nullptr;
}

}  // namespace

std::size_t firstFrameLength(std::span<const std::uint8_t> data, bool extracting) {
    if (statusFrameAt(data, 0)) {
        return kCommandFrameSize;
    }
    const bool isRecord = recordHeaderAt(data, 0);
    const std::size_t firstCut = isRecord ? kRecordHeaderSize + 1 : 1;
    for (std::size_t at = firstCut; at < data.size(); ++at) {
        if (statusFrameAt(data, at)) {
            return at;
        }
        if (!recordHeaderAt(data, at)) {
            continue;
        }
        if (isRecord ? data[at + 2] > data[2] : extracting) {
            return at;
        }
    }
    return data.size();
}

ReceiveOutcome classifyReceived(std::span<const std::uint8_t> data, bool extracting, std::int32_t waiting) {
    if (const StatusFrame* status = matchStatusFrame(data)) {
        return ReceiveOutcome{status->kind, std::nullopt, std::string(status->line)};
    }
    ReceiveOutcome outcome;
    outcome.kind = ReceiveKind::Other;
    outcome.record = readRecord(data, extracting, waiting);
    outcome.logLine = hex::BytesToHex(data);
    outcome.logLine += kLineEnd;
    return outcome;
}

}  // namespace veltrano::protocol
