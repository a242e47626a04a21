#pragma once

#include <windows.h>

#include <array>

#include "pcomm/include/pcomm.h"
#include "pcomm/serial_port.h"

namespace veltrano::pcomm {

// The library's open ports, one slot per port number. Opening and closing
// take the table alone; operations on open ports share it, so a close waits
// for the reads and writes in progress instead of pulling the handle from
// under them.
class PortTable {
public:
    PortTable() = default;
    PortTable(const PortTable&) = delete;
    PortTable& operator=(const PortTable&) = delete;

    int open(int port);
    int close(int port);

    // Runs `operation(SerialPort&)` on an open port and returns its result.
    template <typename Operation>
    int withOpenPort(int port, Operation&& operation);

private:
    class SharedLock;
    class ExclusiveLock;

    static bool validPort(int port) { return port >= 1 && port <= PCOMM_MAX_PORT; }
    SerialPort& slot(int port) { return ports_[static_cast<std::size_t>(port - 1)]; }

    SRWLOCK lock_ = SRWLOCK_INIT;
    std::array<SerialPort, PCOMM_MAX_PORT> ports_;
};

class PortTable::SharedLock {
public:
    explicit SharedLock(SRWLOCK& lock) : lock_(lock) { AcquireSRWLockShared(&lock_); }
    ~SharedLock() { ReleaseSRWLockShared(&lock_); }
    SharedLock(const SharedLock&) = delete;
    SharedLock& operator=(const SharedLock&) = delete;

private:
    SRWLOCK& lock_;
};

class PortTable::ExclusiveLock {
public:
    explicit ExclusiveLock(SRWLOCK& lock) : lock_(lock) { AcquireSRWLockExclusive(&lock_); }
    ~ExclusiveLock() { ReleaseSRWLockExclusive(&lock_); }
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;

private:
    SRWLOCK& lock_;
};

template <typename Operation>
int PortTable::withOpenPort(int port, Operation&& operation) {
    if (!validPort(port)) {
        return PCOMM_BAD_PORT;
    }
    SharedLock guard(lock_);
    SerialPort& serial = slot(port);
    if (!serial.isOpen()) {
        return PCOMM_NOT_OPEN;
    }
    return operation(serial);
}

// The one table of this library.
PortTable& portTable();

}  // namespace veltrano::pcomm
