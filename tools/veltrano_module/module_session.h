#pragma once

#include <atomic>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "app/protocol/frames.h"
#include "tools/veltrano_module/reply_reader.h"

namespace veltrano::module {

// How a sequence with the module ended.
enum class Ending {
    Done,
    LineLost,     // the port went away (adapter pulled)
    NoAnswer,     // the module did not answer in time
    Interrupted,  // the user asked to stop
};

// Rows handled so far out of a total, for a progress display.
using Progress = std::function<void(int done, int total)>;

struct WriteOutcome {
    Ending ending = Ending::Done;
    // The last table row whose slot frame went out whole; 0 for none.
    int lastRowWritten = 0;
};

struct ReadOutcome {
    Ending ending = Ending::Done;
    // Column-2 texts by row, as the program shows a read-back.
    std::map<int, std::string> rows;
};

struct LearnOutcome {
    Ending ending = Ending::Done;
    // The learned code as hexadecimal digit pairs without spaces.
    std::string code;
};

// The program's module sequences over one line: the same frames, the same
// waits, the same reading of the replies. Where the program only shows what
// comes back, the session also checks that the module answered, so that a
// module that is not there ends a sequence with NoAnswer.
class ModuleSession {
public:
    // `answerWithin` is how long a reply may take beyond the program's own
    // waits; `stop`, when set, is polled between frames.
    ModuleSession(ModuleLine& line, Millis answerWithin, const std::atomic<bool>* stop = nullptr)
        : line_(line), reader_(line), answerWithin_(answerWithin), stop_(stop) {}

    // Whether a module answers the enter-configuration frame within
    // `answerWithin`. The exit frame follows in every case, so a module is
    // left as it was.
    Ending probe(bool& answered);

    // Writes the column-2 texts of rows 1..78 (texts[0] is row 1), which
    // must have passed protocol::firstInvalidRow. On a stop the exit frame
    // goes out before the session returns.
    WriteOutcome write(std::span<const std::string> texts, const Progress& progress);

    // Reads the module's table back.
    ReadOutcome read(const Progress& progress);

    Ending clear();
    Ending setPortRates(const protocol::PortRates& rates, int binding);
    // Sends a code the codec took, for a trial.
    Ending sendCode(std::span<const std::uint8_t> code);
    // Starts learning and waits up to `within` for the learned code.
    LearnOutcome learn(Millis within);

private:
    bool stopRequested() const { return stop_ != nullptr && stop_->load(); }
    bool send(std::string_view frameText);
    // Waits at least `ms`, judging whatever the module sends meanwhile.
    bool pause(int ms);
    bool collectUntil(SteadyClock::time_point until);
    // Waits on past the program's pause for the echo of the frame just
    // sent, at most answerWithin_; true once it has come.
    bool awaitEcho(protocol::ReceiveKind kind, bool& lineLost);
    Ending enterConfiguration();
    // The exit frame and its wait; false when the line is gone.
    bool leaveConfiguration();

    ModuleLine& line_;
    ReplyReader reader_;
    Millis answerWithin_;
    const std::atomic<bool>* stop_;
    std::vector<protocol::ReceiveOutcome> replies_;
};

}  // namespace veltrano::module
