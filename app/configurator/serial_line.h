#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace veltrano::configurator {

// The serial library's seven operations as the application calls them; a
// port is the number n of "COM" n and results are the library's own.
class SerialLine {
public:
    virtual ~SerialLine() = default;

    virtual int open(int port) = 0;
    virtual int setLine(int port, int baudCode, int mode) = 0;
    virtual int setReadTimeouts(int port, std::uint32_t totalMs, std::uint32_t intervalMs) = 0;
    virtual int waitingBytes(int port) = 0;
    virtual int read(int port, std::span<std::uint8_t> buffer) = 0;
    virtual int write(int port, std::span<const std::uint8_t> bytes) = 0;
    virtual int close(int port) = 0;

protected:
    SerialLine() = default;
    SerialLine(const SerialLine&) = default;
    SerialLine& operator=(const SerialLine&) = default;
};

// The system's list of serial ports.
class PortRegistry {
public:
    virtual ~PortRegistry() = default;

    // The data of every value of the serial port key, in the order the
    // system returns them (each up to its first zero byte); nothing when
    // the key cannot be opened.
    virtual std::optional<std::vector<std::string>> serialPortNames() = 0;

protected:
    PortRegistry() = default;
    PortRegistry(const PortRegistry&) = default;
    PortRegistry& operator=(const PortRegistry&) = default;
};

}  // namespace veltrano::configurator
