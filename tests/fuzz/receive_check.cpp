#include "receive_check.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "app/protocol/frames.h"
#include "app/protocol/receive_classifier.h"

namespace veltrano::fuzz {
namespace {

using protocol::ReceiveKind;

struct StatusFrame {
    std::string_view text;
    ReceiveKind kind;
};

constexpr std::array<StatusFrame, 4> kStatusFrames{{
    {protocol::kEnterConfigText, ReceiveKind::EnterConfig},
    {protocol::kExitConfigText, ReceiveKind::ExitConfig},
    {protocol::kReadRequestText, ReceiveKind::ReadBackStarted},
    {protocol::kReadCompleteText, ReceiveKind::ReadBackComplete},
}};

// The status a read is, judged from the fixed frame texts alone.
ReceiveKind expectedKind(std::span<const std::uint8_t> read) {
    for (const StatusFrame& status : kStatusFrames) {
        const auto frame = protocol::frameBytes(status.text);
        if (frame && std::ranges::equal(*frame, read)) {
            return status.kind;
        }
    }
    return ReceiveKind::Other;
}

// The read as the log shows it, spelt out digit by digit.
std::string expectedLogLine(std::span<const std::uint8_t> read) {
    constexpr std::string_view kDigits = "0123456789ABCDEF";
    std::string line;
    for (const std::uint8_t byte : read) {
        line += kDigits[byte >> 4];
        line += kDigits[byte & 0x0F];
        line += ' ';
    }
    return line + "\r\n";
}

}  // namespace

std::string checkReceivedRead(std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) {
        return {};
    }
    const bool extracting = (bytes[0] & 0x01) != 0;
    const std::span<const std::uint8_t> read = bytes.subspan(1);
    const std::int32_t waiting =
        static_cast<std::int32_t>(read.size()) + static_cast<std::int32_t>(static_cast<std::int8_t>(bytes[0])) / 2;

    const std::size_t firstFrame = protocol::firstFrameLength(read, extracting);
    if (!read.empty() && (firstFrame == 0 || firstFrame > read.size())) {
        return "the read's first frame is empty or longer than the read";
    }
    if (expectedKind(read.first(std::min(read.size(), protocol::kCommandFrameSize))) != ReceiveKind::Other &&
        firstFrame != protocol::kCommandFrameSize) {
        return "a leading status frame was not cut off";
    }

    const protocol::ReceiveOutcome outcome = protocol::classifyReceived(read, extracting, waiting);
    const ReceiveKind expected = expectedKind(read);
    if (outcome.kind != expected) {
        return "the read is classified as another kind";
    }
    if (outcome.logLine.size() < 2 || outcome.logLine.substr(outcome.logLine.size() - 2) != "\r\n") {
        return "the log line does not end in CR LF";
    }
    if (expected != ReceiveKind::Other) {
        if (outcome.record || outcome.logLine == expectedLogLine(read)) {
            return "a status frame gave a record or was logged as data";
        }
        return {};
    }
    if (outcome.logLine != expectedLogLine(read)) {
        return "the log line is not the read as hexadecimal text";
    }
    const bool isRecord = extracting && waiting > 3 && read.size() > protocol::kRecordHeaderSize &&
                          read[0] == protocol::kRecordPrefix[0] && read[1] == protocol::kRecordPrefix[1] &&
                          read[2] >= 1 && read[2] <= 78;
    if (isRecord != outcome.record.has_value()) {
        return isRecord ? "a key record was not taken" : "a read that is no key record filled a row";
    }
    if (isRecord && (outcome.record->row != read[2] ||
                     outcome.record->cellText + "\r\n" != expectedLogLine(read.subspan(protocol::kRecordHeaderSize)))) {
        return "the record fills the wrong row or text";
    }
    return {};
}

}  // namespace veltrano::fuzz
