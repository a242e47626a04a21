#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "app/hex/message_sink.h"
#include "app/protocol/sequence_waits.h"

namespace veltrano::protocol {

// One step of writing the table into the module, carried out in order by the
// caller: send a frame, wait, or set the progress bar.
struct WriteStep {
    enum class Kind { Send, Wait, Progress };

    Kind kind = Kind::Send;
    // Send: the frame as hexadecimal text, to convert and write whole.
    std::string frameText;
    // Wait: milliseconds (the delay keeps processing window messages).
    // Progress: the value for the progress bar.
    int value = 0;

    friend bool operator==(const WriteStep&, const WriteStep&) = default;
};

inline constexpr int kProgressDone = 100;

// The steps that write the table, given the column-2 texts of rows 1..78
// (texts[0] is row 1; rows past the end of `texts` count as empty). A row
// whose text without spaces is empty sends nothing but still advances the
// progress bar. The texts must have passed firstInvalidRow.
std::vector<WriteStep> planWriteSequence(std::span<const std::string> texts);

// The first row 1..78 whose text, without spaces, is not empty and does not
// decode; the codec has then shown its message through `sink`, and the caller
// names the row and sends nothing. Nothing when every row is fit to send.
std::optional<int> firstInvalidRow(std::span<const std::string> texts, hex::MessageSink& sink);

}  // namespace veltrano::protocol
