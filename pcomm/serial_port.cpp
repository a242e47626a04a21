#include "pcomm/serial_port.h"

#include <string>

#include "pcomm/include/pcomm.h"

namespace veltrano::pcomm {
namespace {

BYTE parityCode(Parity parity) {
    switch (parity) {
        case Parity::Odd: return ODDPARITY;
        case Parity::Even: return EVENPARITY;
        case Parity::Mark: return MARKPARITY;
        case Parity::Space: return SPACEPARITY;
        case Parity::None: break;
    }
    return NOPARITY;
}

BYTE stopBitsCode(const LineMode& mode) {
    if (!mode.twoStopBits) {
        return ONESTOPBIT;
    }
    return mode.dataBits == 5 ? ONE5STOPBITS : TWOSTOPBITS;
}

// Binary line without flow control or character translation: what goes in
// comes out byte for byte.
void makeRaw(DCB& state) {
    state.fBinary = TRUE;
    state.fOutxCtsFlow = FALSE;
    state.fOutxDsrFlow = FALSE;
    state.fDtrControl = DTR_CONTROL_ENABLE;
    state.fDsrSensitivity = FALSE;
    state.fTXContinueOnXoff = TRUE;
    state.fOutX = FALSE;
    state.fInX = FALSE;
    state.fErrorChar = FALSE;
    state.fNull = FALSE;
    state.fRtsControl = RTS_CONTROL_ENABLE;
    state.fAbortOnError = FALSE;
}

}  // namespace

int SerialPort::open(int port, SerialPort& opened) {
    const std::wstring path = L"\\\\.\\COM" + std::to_wstring(port);
    UniqueHandle handle(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle.valid()) {
        return PCOMM_OPEN_FAILED;
    }
    SerialPort candidate;
    candidate.handle_ = std::move(handle);

    DCB state{};
    state.DCBlength = sizeof(state);
    // A handle whose line state cannot even be read is no serial line: under
    // Wine a mapped port whose device has gone (the adapter unplugged, the
    // far end of a pseudo-terminal ended) still opens, and fails here. That
    // is a port that could not be opened, not settings the line refused.
    if (!GetCommState(candidate.handle_.get(), &state)) {
        return PCOMM_OPEN_FAILED;
    }
    state.ByteSize = 8;
    state.Parity = NOPARITY;
    state.fParity = FALSE;
    state.StopBits = ONESTOPBIT;
    if (const int result = candidate.applyLineState(state); result != PCOMM_OK) {
        return result;
    }
    // Until the caller sets read timeouts a read takes what is there and
    // returns at once.
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    const WriteTimeouts write = writeTimeoutsFor(state.BaudRate);
    timeouts.WriteTotalTimeoutMultiplier = write.perByteMs;
    timeouts.WriteTotalTimeoutConstant = write.constantMs;
    if (!SetCommTimeouts(candidate.handle_.get(), &timeouts)) {
        return PCOMM_SETTING_FAILED;
    }
    PurgeComm(candidate.handle_.get(), PURGE_RXCLEAR | PURGE_TXCLEAR);
    opened = std::move(candidate);
    return PCOMM_OK;
}

int SerialPort::applyLineState(const DCB& state) {
    DCB raw = state;
    makeRaw(raw);
    return SetCommState(handle_.get(), &raw) ? PCOMM_OK : PCOMM_SETTING_FAILED;
}

int SerialPort::applyWriteTimeouts(std::uint32_t baudRate) {
    COMMTIMEOUTS timeouts{};
    if (!GetCommTimeouts(handle_.get(), &timeouts)) {
        return PCOMM_SETTING_FAILED;
    }
    const WriteTimeouts write = writeTimeoutsFor(baudRate);
    timeouts.WriteTotalTimeoutMultiplier = write.perByteMs;
    timeouts.WriteTotalTimeoutConstant = write.constantMs;
    return SetCommTimeouts(handle_.get(), &timeouts) ? PCOMM_OK : PCOMM_SETTING_FAILED;
}

int SerialPort::configure(std::uint32_t baudRate, const LineMode& mode) {
    DCB state{};
    state.DCBlength = sizeof(state);
    if (!GetCommState(handle_.get(), &state)) {
        return PCOMM_SETTING_FAILED;
    }
    state.BaudRate = baudRate;
    state.ByteSize = mode.dataBits;
    state.Parity = parityCode(mode.parity);
    state.fParity = mode.parity == Parity::None ? FALSE : TRUE;
    state.StopBits = stopBitsCode(mode);
    if (const int result = applyLineState(state); result != PCOMM_OK) {
        return result;
    }
    return applyWriteTimeouts(baudRate);
}

int SerialPort::setReadTimeouts(DWORD totalMs, DWORD intervalMs) {
    COMMTIMEOUTS timeouts{};
    if (!GetCommTimeouts(handle_.get(), &timeouts)) {
        return PCOMM_SETTING_FAILED;
    }
    timeouts.ReadIntervalTimeout = intervalMs;
    timeouts.ReadTotalTimeoutMultiplier = 0;
    timeouts.ReadTotalTimeoutConstant = totalMs;
    return SetCommTimeouts(handle_.get(), &timeouts) ? PCOMM_OK : PCOMM_SETTING_FAILED;
}

int SerialPort::queuedBytes() {
    DWORD errors = 0;
    COMSTAT status{};
    if (!ClearCommError(handle_.get(), &errors, &status)) {
        return PCOMM_QUEUE_FAILED;
    }
    constexpr DWORD kMaxCount = 0x7FFFFFFF;
    return static_cast<int>(status.cbInQue < kMaxCount ? status.cbInQue : kMaxCount);
}

int SerialPort::read(char* buffer, int length) {
    DWORD done = 0;
    if (!ReadFile(handle_.get(), buffer, static_cast<DWORD>(length), &done, nullptr)) {
        return PCOMM_READ_FAILED;
    }
    return static_cast<int>(done);
}

int SerialPort::write(const char* buffer, int length) {
    DWORD done = 0;
    if (!WriteFile(handle_.get(), buffer, static_cast<DWORD>(length), &done, nullptr)) {
        // A write cut short by its timeout reports failure on some systems
        // while part of the bytes went out; the count is what the caller
        // needs to know.
        return done > 0 ? static_cast<int>(done) : PCOMM_WRITE_FAILED;
    }
    return static_cast<int>(done);
}

}  // namespace veltrano::pcomm
