#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace veltrano::protocol {

// What one read from the module is, judged as a whole: a read is never
// joined with the one before or after it.
enum class ReceiveKind {
    EnterConfig,       // the enter-configuration echo
    ExitConfig,        // the exit-configuration echo
    ReadBackStarted,   // the read-request echo: clear column 2, lock the module buttons
    ReadBackComplete,  // the read-complete frame: unlock the module buttons
    Other,             // anything else: logged as hexadecimal text
};

// One key's data sent back by the module.
struct ReadBackRecord {
    int row = 0;
    // Upper-case digit pairs each followed by one space, as column 2 shows them.
    std::string cellText;
};

struct ReceiveOutcome {
    ReceiveKind kind = ReceiveKind::Other;
    // Set only for Other, during a read-back, for a read that is a record.
    std::optional<ReadBackRecord> record;
    // The line to append to the log, code page 936, ending in "\r\n": the
    // status text for the four status frames, otherwise the read as
    // hexadecimal text.
    std::string logLine;
};

// Classifies one frame: a whole read, or one of the frames firstFrameLength
// cuts a read into. `waiting` is what the port reported as queued before a
// whole read, or the frame's own length, `extracting` whether a read-back
// is in progress.
// A record needs DA DB, a row and at least one data byte in the read itself,
// and a row of the table (1..78): a read cut short by the port cannot put an
// empty text into the header row, and a row outside the table changes
// nothing but the log.
ReceiveOutcome classifyReceived(std::span<const std::uint8_t> data, bool extracting, std::int32_t waiting);

// How many bytes at the front of a read form its first frame, when the
// receive timer fell behind and one read holds several frames. Judging such
// a read as a whole would put two records into one cell, and the next write
// would store that text in the module, or would miss a status frame and
// leave the module buttons locked. A read is cut only where the shapes leave
// little doubt: after a leading status frame; before any later status frame;
// in a record, before the header of a later row (the module sends its rows
// in ascending order, so a header of the same or an earlier row is taken
// for code bytes); and, during a read-back, before a record header anywhere
// in bytes that are not a record, so noise cannot hide the record behind it.
// Anything else stays whole, as one read always was.
std::size_t firstFrameLength(std::span<const std::uint8_t> data, bool extracting);

}  // namespace veltrano::protocol
