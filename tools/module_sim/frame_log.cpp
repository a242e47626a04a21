#include "tools/module_sim/frame_log.h"

#include <array>
#include <cstdint>

namespace veltrano::modulesim {

FrameLog::FrameLog(const std::string& path, TimePoint start) : start_(start) {
    if (path.empty()) {
        return;
    }
    file_.reset(std::fopen(path.c_str(), "a"));
    failed_ = !file_;
}

void FrameLog::write(TimePoint now, std::string_view direction, std::string_view kind, std::string_view note,
                     std::span<const std::uint8_t> bytes) {
    if (!file_) {
        return;
    }
    const auto elapsed = std::chrono::duration_cast<Millis>(now - start_).count();
    std::string line = std::to_string(elapsed / 1000);
    std::array<char, 8> fraction{};
    std::snprintf(fraction.data(), fraction.size(), ".%03lld", static_cast<long long>(elapsed % 1000));
    line += fraction.data();
    line += ' ';
    line += direction;
    line += ' ';
    line += kind;
    if (!note.empty()) {
        line += ' ';
        line += note;
    }
    static constexpr char kDigits[] = "0123456789ABCDEF";
    for (const std::uint8_t byte : bytes) {
        line += ' ';
        line.push_back(kDigits[byte >> 4]);
        line.push_back(kDigits[byte & 0x0F]);
    }
    line += '\n';
    std::fputs(line.c_str(), file_.get());
    std::fflush(file_.get());
}

}  // namespace veltrano::modulesim
