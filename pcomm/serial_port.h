#pragma once

#include <windows.h>

#include <cstdint>

#include "pcomm/line_settings.h"
#include "pcomm/unique_handle.h"

namespace veltrano::pcomm {

// One open serial line. Every operation returns 0 or a byte count, or one of
// the negative codes of pcomm.h.
class SerialPort {
public:
    // Opens \\.\COMn and puts the line into raw 8N1 at its current rate.
    static int open(int port, SerialPort& opened);

    int configure(std::uint32_t baudRate, const LineMode& mode);
    int setReadTimeouts(DWORD totalMs, DWORD intervalMs);
    int queuedBytes();
    int read(char* buffer, int length);
    int write(const char* buffer, int length);

    bool isOpen() const { return handle_.valid(); }
    void close() { handle_.reset(); }

private:
    int applyLineState(const DCB& state);
    int applyWriteTimeouts(std::uint32_t baudRate);

    UniqueHandle handle_;
};

}  // namespace veltrano::pcomm
