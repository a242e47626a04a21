// The library's entry points: argument checks, then the port table. Nothing
// may unwind into the caller, which is not C++.
#include <exception>

#include "pcomm/include/pcomm.h"
#include "pcomm/line_settings.h"
#include "pcomm/port_table.h"

namespace {

using veltrano::pcomm::portTable;
using veltrano::pcomm::SerialPort;

template <typename Body>
int guarded(Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return PCOMM_INTERNAL_ERROR;
    }
}

}  // namespace

extern "C" {

int WINAPI sio_open(int port) {
    return guarded([&] { return portTable().open(port); });
}

int WINAPI sio_ioctl(int port, int baud, int mode) {
    return guarded([&] {
        return portTable().withOpenPort(port, [&](SerialPort& serial) {
            const auto rate = veltrano::pcomm::baudRateOfCode(baud);
            const auto lineMode = veltrano::pcomm::decodeLineMode(mode);
            if (!rate || !lineMode) {
                return PCOMM_BAD_ARGUMENT;
            }
            return serial.configure(*rate, *lineMode);
        });
    });
}

int WINAPI sio_SetReadTimeouts(int port, DWORD totalTimeouts, DWORD intervalTimeout) {
    return guarded([&] {
        return portTable().withOpenPort(
            port, [&](SerialPort& serial) { return serial.setReadTimeouts(totalTimeouts, intervalTimeout); });
    });
}

int WINAPI sio_iqueue(int port) {
    return guarded(
        [&] { return portTable().withOpenPort(port, [](SerialPort& serial) { return serial.queuedBytes(); }); });
}

int WINAPI sio_read(int port, char* buf, int len) {
    return guarded([&] {
        return portTable().withOpenPort(port, [&](SerialPort& serial) {
            if (len < 0 || (len > 0 && buf == nullptr)) {
                return PCOMM_BAD_ARGUMENT;
            }
            return len == 0 ? 0 : serial.read(buf, len);
        });
    });
}

int WINAPI sio_write(int port, char* buf, int len) {
    return guarded([&] {
        return portTable().withOpenPort(port, [&](SerialPort& serial) {
            if (len < 0 || (len > 0 && buf == nullptr)) {
                return PCOMM_BAD_ARGUMENT;
            }
            return len == 0 ? 0 : serial.write(buf, len);
        });
    });
}

int WINAPI sio_close(int port) {
    return guarded([&] { return portTable().close(port); });
}

}  // extern "C"
