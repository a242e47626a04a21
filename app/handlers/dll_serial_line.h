#pragma once

#include "app/configurator/serial_line.h"

namespace veltrano::app {

// The serial library's functions, bound through the program's DLL command
// table on their first call.
class DllSerialLine final : public configurator::SerialLine {
public:
    int open(int port) override;
    int setLine(int port, int baudCode, int mode) override;
    int setReadTimeouts(int port, std::uint32_t totalMs, std::uint32_t intervalMs) override;
    int waitingBytes(int port) override;
    int read(int port, std::span<std::uint8_t> buffer) override;
    int write(int port, std::span<const std::uint8_t> bytes) override;
    int close(int port) override;
};

// The serial port key of the registry, read through the three declared
// registry commands.
class DllPortRegistry final : public configurator::PortRegistry {
public:
    std::optional<std::vector<std::string>> serialPortNames() override;
};

}  // namespace veltrano::app
