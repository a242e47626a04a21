#pragma once

#include <cstdio>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "tools/module_sim/clock.h"

namespace veltrano::modulesim {

// The frame log: one line per frame, "<seconds> <rx|tx> <kind>[ <note>] <hex>",
// seconds counted from the start of the simulator with millisecond digits,
// hex as upper-case pairs separated by spaces. Written through at once,
// so a test or a person can follow it live. Without a path it writes nothing.
class FrameLog {
public:
    FrameLog(const std::string& path, TimePoint start);

    bool failed() const { return failed_; }

    void write(TimePoint now, std::string_view direction, std::string_view kind, std::string_view note,
               std::span<const std::uint8_t> bytes);

private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

    std::unique_ptr<std::FILE, Closer> file_;
    TimePoint start_;
    bool failed_ = false;
};

}  // namespace veltrano::modulesim
