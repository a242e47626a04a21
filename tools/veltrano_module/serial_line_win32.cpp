#include <windows.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>
#include <thread>

#include "pcomm/include/pcomm.h"
#include "pcomm/serial_port.h"
#include "tools/veltrano_module/reply_reader.h"
#include "tools/veltrano_module/system_services.h"

namespace veltrano::module {
namespace {

// The serial library's reading of a line is reused whole: what the program
// opens through PCOMM.DLL and what this tool opens are the same line.
class Win32SerialLine final : public ModuleLine {
public:
    explicit Win32SerialLine(pcomm::SerialPort port) : port_(std::move(port)) {}

    bool write(std::span<const std::uint8_t> bytes) override {
        while (!bytes.empty()) {
            const int chunk = static_cast<int>(std::min<std::size_t>(bytes.size(), 4096));
            const int written = port_.write(reinterpret_cast<const char*>(bytes.data()), chunk);
            if (written <= 0) return false;
            bytes = bytes.subspan(static_cast<std::size_t>(written));
        }
        return true;
    }

    // The comm API's event wait does not work on every port driver (Wine's
    // pseudo-terminal ports among them), so the queue is polled each
    // millisecond until the deadline.
    bool read(Bytes& into, Millis within) override {
        const auto deadline = SteadyClock::now() + within;
        while (true) {
            const int queued = port_.queuedBytes();
            if (queued < 0) return false;
            if (queued > 0) {
                const std::size_t before = into.size();
                into.resize(before + static_cast<std::size_t>(queued));
                const int got = port_.read(reinterpret_cast<char*>(into.data() + before), queued);
                into.resize(before + static_cast<std::size_t>(std::max(got, 0)));
                return got >= 0;
            }
            if (SteadyClock::now() >= deadline) return true;
            std::this_thread::sleep_for(Millis{1});
        }
    }

private:
    pcomm::SerialPort port_;
};

// "COM3", "com3" or "\\.\COM3": the port number; nothing for another name.
std::optional<int> portNumber(std::string name) {
    constexpr std::string_view kDevicePrefix = "\\\\.\\";
    if (name.starts_with(kDevicePrefix)) name.erase(0, kDevicePrefix.size());
    if (name.size() < 4) return std::nullopt;
    std::string head = name.substr(0, 3);
    std::transform(head.begin(), head.end(), head.begin(),
                   [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); });
    if (head != "COM") return std::nullopt;
    int number = 0;
    const char* end = name.data() + name.size();
    const auto [stop, error] = std::from_chars(name.data() + 3, end, number);
    if (error != std::errc() || stop != end || number < 1 || number > PCOMM_MAX_PORT) return std::nullopt;
    return number;
}

std::string reasonOf(int code) {
    switch (code) {
        case PCOMM_OPEN_FAILED: return "the system refused to open it (another program may hold it)";
        case PCOMM_SETTING_FAILED: return "the line settings were refused";
        default: return "error " + std::to_string(code);
    }
}

class Win32LineOpener final : public LineOpener {
public:
    std::unique_ptr<ModuleLine> open(const std::string& port, int rate, std::string& reason) override {
        const auto number = portNumber(port);
        if (!number) {
            reason = "not a port name of the form COMn";
            return nullptr;
        }
        pcomm::SerialPort opened;
        int result = pcomm::SerialPort::open(*number, opened);
        if (result == PCOMM_OK) result = opened.configure(static_cast<std::uint32_t>(rate), pcomm::LineMode{});
        if (result != PCOMM_OK) {
            reason = reasonOf(result);
            return nullptr;
        }
        return std::make_unique<Win32SerialLine>(std::move(opened));
    }
};

}  // namespace

std::unique_ptr<LineOpener> makeSystemLineOpener() {
    return std::make_unique<Win32LineOpener>();
}

}  // namespace veltrano::module
